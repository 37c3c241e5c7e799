// An error that escapes an event handler is shown to the user and the
// program goes on.
#include "editor/Application.h"

#include <QTest>
#include <QTimer>

#include <stdexcept>

namespace {

class Failing : public QObject
{
protected:
    bool event(QEvent* event) override
    {
        if (event->type() == QEvent::User)
            throw std::runtime_error("the handler failed");
        return QObject::event(event);
    }
};

} // namespace

class ApplicationTest : public QObject
{
    Q_OBJECT

public:
    explicit ApplicationTest(TApplication& application) : application_(application) {}

private Q_SLOTS:
    void errorInAHandlerIsShownAndTheProgramGoesOn()
    {
        QStringList shown;
        application_.SetErrorReport([&shown](const QString& text) { shown.append(text); });
        Failing failing;
        QEvent event(QEvent::User);
        QCOMPARE(QCoreApplication::sendEvent(&failing, &event), false);
        QCOMPARE(shown, QStringList{QStringLiteral("the handler failed")});

        // From the event loop too, and the loop keeps running.
        bool after = false;
        QTimer::singleShot(0, &failing, [] { throw std::runtime_error("in the loop"); });
        QTimer::singleShot(10, &failing, [&after] { after = true; });
        QTRY_VERIFY(after);
        QCOMPARE(shown.size(), 2);
        QCOMPARE(shown.last(), QStringLiteral("in the loop"));
    }

private:
    TApplication& application_;
};

int main(int argc, char* argv[])
{
    TApplication application(argc, argv);
    ApplicationTest test(application);
    return QTest::qExec(&test, argc, argv);
}

#include "ApplicationTest.moc"
