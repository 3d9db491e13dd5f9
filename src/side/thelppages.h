#pragma once
// The help window's five pages: each one's caption (also its button's text) and its text.

#include <QString>
#include <array>

namespace zb {

struct HelpPage {
    QString caption;
    QString html;
};

inline constexpr int kHelpPages = 5;

// Pages 1 to kHelpPages; entry 0 is empty, so a page's number is its index.
const std::array<HelpPage, kHelpPages + 1>& helpPages();

} // namespace zb
