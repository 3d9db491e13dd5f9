#pragma once
// Chat colours as the game keeps them: a 32-bit value $00BBGGRR (blue in the third byte), written
// as text either as one of 42 colour names or as "$" and eight hexadecimal digits. This form
// travels in every chat message and is stored in the settings file, so it must read back exactly
// what any table writes. Pure functions; no widgets, no palette.

#include <QString>
#include <QStringView>
#include <array>
#include <cstdint>
#include <optional>

namespace zb::color {

using Color = std::uint32_t;

inline constexpr Color kBlack = 0x000000;
inline constexpr Color kMaroon = 0x000080;
inline constexpr Color kGreen = 0x008000;
inline constexpr Color kNavy = 0x800000;
inline constexpr Color kRed = 0x0000FF;
inline constexpr Color kBlue = 0xFF0000;
inline constexpr Color kSilver = 0xC0C0C0;
inline constexpr Color kNone = 0x1FFFFFFF;
// System colours are this base plus the system colour index (0..24).
inline constexpr Color kSystemBase = 0x80000000;
inline constexpr Color kWindowText = kSystemBase + 8;

struct NamedColor {
    const char* name;
    Color value;
};
inline constexpr int kNamedCount = 42;
// The 16 basic colours, the 25 system colours in index order, then "clNone".
const std::array<NamedColor, kNamedCount>& namedColors();

// The colour's name if it has one, else "$" and eight upper-case hexadecimal digits.
QString toText(Color value);

// A name in any letter case, "$" and 1 to 8 hexadecimal digits, or a decimal number in the
// 32-bit range (signed or unsigned). Anything else, blanks included, is not a colour.
std::optional<Color> fromText(QStringView text);

// The 0xRRGGBB that the colour shows as. System colours take the usual desktop defaults (so the
// chat looks the same on every machine); any other value shows its low 24 bits.
std::uint32_t toRgb(Color value);
// The colour value of a shown 0xRRGGBB (the top byte is ignored).
Color fromRgb(std::uint32_t rgb);

} // namespace zb::color
