#include "document/Utf8.h"

int Utf8SequenceLength(const unsigned char* data, std::size_t size)
{
    const unsigned lead = data[0];
    int length = 0;
    unsigned low = 0x80;
    unsigned high = 0xBF;
    if (lead >= 0xC2 && lead <= 0xDF) {
        length = 2;
    } else if (lead >= 0xE0 && lead <= 0xEF) {
        length = 3;
        low = lead == 0xE0 ? 0xA0 : low;
        high = lead == 0xED ? 0x9F : high;
    } else if (lead >= 0xF0 && lead <= 0xF4) {
        length = 4;
        low = lead == 0xF0 ? 0x90 : low;
        high = lead == 0xF4 ? 0x8F : high;
    } else {
        return lead < 0x80 ? 1 : 0;
    }
    for (int k = 1; k < length; ++k) {
        if (static_cast<std::size_t>(k) == size)
            return -1;
        const unsigned next = data[k];
        if (next < (k == 1 ? low : 0x80u) || next > (k == 1 ? high : 0xBFu))
            return 0;
    }
    return length;
}

bool IsValidUtf8(std::string_view text)
{
    const auto* data = reinterpret_cast<const unsigned char*>(text.data());
    for (std::size_t i = 0; i < text.size();) {
        const int length = Utf8SequenceLength(data + i, text.size() - i);
        if (length <= 0)
            return false;
        i += static_cast<std::size_t>(length);
    }
    return true;
}
