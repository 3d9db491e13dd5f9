#pragma once
// The window "Zorbinet - Help File": a column of buttons, each of the first five showing its page
// under a heading that repeats the button's caption; "About" shows the about box, "Done" hides the
// window. It opens on "Overview".

#include <QWidget>
#include <array>

class QLabel;
class QPushButton;
class QTextBrowser;

namespace zb {

class Tabout;

class Thelp : public QWidget {
    Q_OBJECT
public:
    // Buttons 1 to 5 show pages 1 to 5; then "About" and "Done".
    static constexpr int kAboutButton = 6;
    static constexpr int kDoneButton = 7;
    static constexpr int kButtons = 7;

    explicit Thelp(QWidget* parent = nullptr);

    // The about box that "About" shows; none: the button does nothing.
    void setAboutBox(Tabout* about) { about_ = about; }
    // The window it is centred over when shown (the table window).
    void setAnchor(QWidget* anchor) { anchor_ = anchor; }

    // Shows page 1 to 5; other numbers are ignored.
    void showPage(int page);
    int currentPage() const { return page_; }

    std::array<QPushButton*, kButtons + 1> button{}; // 1..kButtons
    QLabel* heading = nullptr;
    QTextBrowser* pageText = nullptr;
    QLabel* yearLine = nullptr;

public slots:
    void buttonClick(int number);

protected:
    void showEvent(QShowEvent* event) override;

private:
    Tabout* about_ = nullptr;
    QWidget* anchor_ = nullptr;
    int page_ = 0;
};

} // namespace zb
