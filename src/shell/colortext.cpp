#include "shell/colortext.h"

#include <limits>

namespace zb::color {
namespace {

constexpr std::array<NamedColor, kNamedCount> kNamed = {{
    {"clBlack", 0x000000},
    {"clMaroon", 0x000080},
    {"clGreen", 0x008000},
    {"clOlive", 0x008080},
    {"clNavy", 0x800000},
    {"clPurple", 0x800080},
    {"clTeal", 0x808000},
    {"clGray", 0x808080},
    {"clSilver", 0xC0C0C0},
    {"clRed", 0x0000FF},
    {"clLime", 0x00FF00},
    {"clYellow", 0x00FFFF},
    {"clBlue", 0xFF0000},
    {"clFuchsia", 0xFF00FF},
    {"clAqua", 0xFFFF00},
    {"clWhite", 0xFFFFFF},
    {"clScrollBar", kSystemBase + 0},
    {"clBackground", kSystemBase + 1},
    {"clActiveCaption", kSystemBase + 2},
    {"clInactiveCaption", kSystemBase + 3},
    {"clMenu", kSystemBase + 4},
    {"clWindow", kSystemBase + 5},
    {"clWindowFrame", kSystemBase + 6},
    {"clMenuText", kSystemBase + 7},
    {"clWindowText", kSystemBase + 8},
    {"clCaptionText", kSystemBase + 9},
    {"clActiveBorder", kSystemBase + 10},
    {"clInactiveBorder", kSystemBase + 11},
    {"clAppWorkSpace", kSystemBase + 12},
    {"clHighlight", kSystemBase + 13},
    {"clHighlightText", kSystemBase + 14},
    {"clBtnFace", kSystemBase + 15},
    {"clBtnShadow", kSystemBase + 16},
    {"clGrayText", kSystemBase + 17},
    {"clBtnText", kSystemBase + 18},
    {"clInactiveCaptionText", kSystemBase + 19},
    {"clBtnHighlight", kSystemBase + 20},
    {"cl3DDkShadow", kSystemBase + 21},
    {"cl3DLight", kSystemBase + 22},
    {"clInfoText", kSystemBase + 23},
    {"clInfoBk", kSystemBase + 24},
    {"clNone", kNone},
}};

// What the system colours look like on a stock desktop, as 0xRRGGBB, by index.
constexpr std::array<std::uint32_t, 25> kSystemRgb = {
    0xC8C8C8, 0x000000, 0x99B4D1, 0xBFCDDB, 0xF0F0F0, 0xFFFFFF, 0x646464, 0x000000, 0x000000,
    0x000000, 0xB4B4B4, 0xF4F7FC, 0xABABAB, 0x3399FF, 0xFFFFFF, 0xF0F0F0, 0xA0A0A0, 0x6D6D6D,
    0x000000, 0x000000, 0xFFFFFF, 0x696969, 0xE3E3E3, 0x000000, 0xFFFFE1,
};

int hexDigit(QChar c) {
    const char16_t u = c.unicode();
    if (u >= '0' && u <= '9')
        return u - '0';
    if (u >= 'a' && u <= 'f')
        return u - 'a' + 10;
    if (u >= 'A' && u <= 'F')
        return u - 'A' + 10;
    return -1;
}

std::optional<Color> fromHex(QStringView digits) {
    if (digits.isEmpty() || digits.size() > 8)
        return std::nullopt;
    Color value = 0;
    for (QChar c : digits) {
        const int d = hexDigit(c);
        if (d < 0)
            return std::nullopt;
        value = (value << 4) | Color(d);
    }
    return value;
}

std::optional<Color> fromDecimal(QStringView text) {
    bool negative = false;
    if (!text.isEmpty() && (text.front() == u'-' || text.front() == u'+')) {
        negative = text.front() == u'-';
        text = text.mid(1);
    }
    if (text.isEmpty() || text.size() > 10)
        return std::nullopt;
    std::int64_t value = 0;
    for (QChar c : text) {
        if (c < u'0' || c > u'9')
            return std::nullopt;
        value = value * 10 + (c.unicode() - '0');
    }
    if (negative)
        value = -value;
    if (value < std::numeric_limits<std::int32_t>::min() ||
        value > std::numeric_limits<std::uint32_t>::max())
        return std::nullopt;
    return Color(static_cast<std::uint32_t>(value));
}

} // namespace

const std::array<NamedColor, kNamedCount>& namedColors() {
    return kNamed;
}

QString toText(Color value) {
    for (const NamedColor& named : kNamed) {
        if (named.value == value)
            return QString::fromLatin1(named.name);
    }
    return QStringLiteral("$%1").arg(value, 8, 16, QLatin1Char('0')).toUpper();
}

std::optional<Color> fromText(QStringView text) {
    for (const NamedColor& named : kNamed) {
        if (text.compare(QLatin1StringView(named.name), Qt::CaseInsensitive) == 0)
            return named.value;
    }
    if (!text.isEmpty() && text.front() == u'$')
        return fromHex(text.mid(1));
    return fromDecimal(text);
}

std::uint32_t toRgb(Color value) {
    if (value & kSystemBase) {
        const std::uint32_t index = value & 0xFF;
        return index < kSystemRgb.size() ? kSystemRgb[index] : 0x000000;
    }
    const std::uint32_t r = value & 0xFF;
    const std::uint32_t g = (value >> 8) & 0xFF;
    const std::uint32_t b = (value >> 16) & 0xFF;
    return (r << 16) | (g << 8) | b;
}

Color fromRgb(std::uint32_t rgb) {
    const std::uint32_t r = (rgb >> 16) & 0xFF;
    const std::uint32_t g = (rgb >> 8) & 0xFF;
    const std::uint32_t b = rgb & 0xFF;
    return (b << 16) | (g << 8) | r;
}

} // namespace zb::color
