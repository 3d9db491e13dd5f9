#pragma once
// The window "Zorbinet - About": the logo, the version, the year, the maker's web address. The
// version is the project's, the same that every table reports to the host.

#include <QString>
#include <QUrl>
#include <QWidget>
#include <functional>

class QLabel;
class QPushButton;

namespace zb {

class HyperlinkLabel;
class PictureButton;

class Tabout : public QWidget {
    Q_OBJECT
public:
    static constexpr char kVersion[] = ZB_VERSION;
    static constexpr char kBuild[] = ".14";
    static constexpr char kWebAddress[] = "http://www.quon77.com/";

    using UrlOpener = std::function<bool(const QUrl& url)>;

    explicit Tabout(QWidget* parent = nullptr);

    // The version shown: the text of `version`, the version every table reports to the host.
    QString versionText() const;
    // The window it is centred over when shown (the table window).
    void setAnchor(QWidget* anchor) { anchor_ = anchor; }
    // Opens the web address; by default in the user's browser.
    void setUrlOpener(UrlOpener opener) { opener_ = std::move(opener); }

    PictureButton* logo = nullptr;
    QLabel* version = nullptr;
    QLabel* build = nullptr;
    QLabel* yearLine = nullptr;
    HyperlinkLabel* webAddress = nullptr;
    QPushButton* done = nullptr;

public slots:
    void logoClick();
    void doneClick();
    void webAddressClick();

protected:
    void showEvent(QShowEvent* event) override;

private:
    QWidget* anchor_ = nullptr;
    UrlOpener opener_;
};

// "Copyright © Quon77 " and the year, for the lines at the bottom of the about and help windows.
QString copyrightLine(int year);

} // namespace zb
