#include "system/DisplayNames.h"

#include <QTest>

class DisplayNamesTest : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void visibleFileName_data()
    {
        QTest::addColumn<QString>("name");
        QTest::addColumn<QString>("shown");

        QTest::newRow("plain") << QStringLiteral("tool.Quarn") << QStringLiteral("tool.Quarn");
        QTest::newRow("ampersand is the menu's business")
            << QStringLiteral("a&b.Quarn") << QStringLiteral("a&b.Quarn");
        QTest::newRow("tab and line breaks")
            << QStringLiteral("a\tb\nc\r.Quarn") << QStringLiteral("a\\tb\\nc\\r.Quarn");
        QTest::newRow("other C0, DEL and C1") << QString::fromUtf16(u"\u0001\u007F\u0085\u009F")
                                              << QStringLiteral("\\u0001\\u007F\\u0085\\u009F");
        QTest::newRow("right-to-left override")
            << QString::fromUtf16(u"doc\u202Etxt.exe") << QStringLiteral("doc\\u202Etxt.exe");
        QTest::newRow("other bidirectional controls and separators")
            << QString::fromUtf16(u"\u200E\u200F\u061C\u202A\u2066\u2069\u2028\u2029")
            << QStringLiteral("\\u200E\\u200F\\u061C\\u202A\\u2066\\u2069\\u2028\\u2029");
        QTest::newRow("letters beyond Latin and a pair stay")
            << QString::fromUtf16(u"Ærø \u05D0\u05D1 \U0001F600")
            << QString::fromUtf16(u"Ærø \u05D0\u05D1 \U0001F600");
        QTest::newRow("bytes that were not UTF-8") << QString::fromUtf16(u"caf\xDCE9-\xDC80\xDCFF")
                                                   << QStringLiteral("caf\\xE9-\\x80\\xFF");
        QTest::newRow("other lone surrogates") << QString::fromUtf16(u"a\xD800"
                                                                     u"b\xDC10")
                                               << QStringLiteral("a\\uD800b\\uDC10");

        const QString head(40, QLatin1Char('h'));
        const QString tail = QString(40, QLatin1Char('t')) + QStringLiteral(".Quarn");
        QTest::newRow("long name cut in the middle")
            << head + QString(10000, QLatin1Char('m')) + tail
            << QString(30, QLatin1Char('h')) + QChar(0x2026) + QString(23, QLatin1Char('t')) +
                   QStringLiteral(".Quarn");
        QTest::newRow("60 characters fit")
            << QString(60, QLatin1Char('x')) << QString(60, QLatin1Char('x'));
        QTest::newRow("a cut never splits an escape")
            << QString(29, QLatin1Char('h')) + QStringLiteral("\t") +
                   QString(100, QLatin1Char('m')) + QStringLiteral("\t") +
                   QString(29, QLatin1Char('t'))
            << QString(29, QLatin1Char('h')) + QChar(0x2026) + QString(29, QLatin1Char('t'));
    }

    void visibleFileName()
    {
        QFETCH(QString, name);
        QFETCH(QString, shown);
        QCOMPARE(VisibleFileName(name), shown);
        QVERIFY(VisibleFileName(name).size() <= 60);
    }
};

QTEST_MAIN(DisplayNamesTest)
#include "DisplayNamesTest.moc"
