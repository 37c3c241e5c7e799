#include "tests/support/DocumentPrinting.h"

#include <QByteArray>

#include <sstream>

namespace {

template <typename T> char* Printed(const T& value)
{
    std::ostringstream out;
    out << value;
    return qstrdup(out.str().c_str());
}

} // namespace

char* toString(const COption& option)
{
    return Printed(option);
}

char* toString(const CDef& def)
{
    return Printed(def);
}

char* toString(const std::string& text)
{
    // Line ends and other control bytes are shown escaped.
    return qstrdup(QByteArray::fromStdString(text).toPercentEncoding(" !\"#$&'()*+,/:;=?@[\\]^`{|}~<>").constData());
}

char* toString(const std::vector<std::string>& texts)
{
    QByteArray out("[");
    for (std::size_t i = 0; i < texts.size(); ++i) {
        char* text = toString(texts[i]);
        out += (i ? ", \"" : "\"") + QByteArray(text) + '"';
        delete[] text;
    }
    return qstrdup((out + ']').constData());
}
