#pragma once
// The chat panel of the table window: the chat view `mainchat`, the input line `mychat`, the
// smiley button and the banner. It knows nothing of sockets or seats: what the player types
// leaves through the send function with the chat colour, which says whether it could be sent,
// and received chat comes in through chatrecieved.
// Every entry point that Qt calls runs through zb::guarded().

#include "shell/chatformat.h"
#include "shell/colortext.h"

#include <QPointer>
#include <QUrl>
#include <QWidget>
#include <array>
#include <functional>

class QAction;
class QColorDialog;
class QLineEdit;
class QMenu;

namespace zb {

class ChatView;
class Dialogs;
class PictureButton;

class ChatPanel : public QWidget {
    Q_OBJECT
public:
    // Returns false when nothing could be sent yet (not logged in): the typed text then stays.
    using SendLine = std::function<bool(const QString& typed, const QString& colourText)>;
    using UrlOpener = std::function<bool(const QUrl& url)>;

    static constexpr QSize kSize{483, 134};
    static constexpr std::array<int, 4> kTextSizes{8, 10, 12, 14};
    static const QString kEnterChat; // "<Enter Chat Here>"

    // dialogs: where "Cannot open Webpage" goes; the standard message boxes when null.
    explicit ChatPanel(QWidget* parent = nullptr, Dialogs* dialogs = nullptr);
    ~ChatPanel() override;

    // Seams. The send function may throw (a socket error); the panel lets it reach the guard.
    void setSendLine(SendLine send) { send_ = std::move(send); }
    void setUrlOpener(UrlOpener opener) { opener_ = std::move(opener); }
    void setDialogs(Dialogs& dialogs) { dialogs_ = &dialogs; }
    // The maker's web address that the banner opens.
    void setMakerUrl(const QUrl& url) { makerUrl_ = url; }
    QUrl makerUrl() const { return makerUrl_; }

    // Preferences. Setting them does not announce a change; the player's own choices through the
    // menu items do (chatColorChanged, textSizeChanged).
    color::Color chatColor() const { return chatColor_; }
    QString chatColorText() const { return color::toText(chatColor_); }
    // Also the input line's font colour.
    void setChatColor(color::Color colour);
    // Size of all 15 styles (clamped to 1..144); ticks the "Text Size" entry of that size only.
    void setTextSize(int points);
    int textSize() const;
    void setScrollOff(bool off);
    bool scrollOff() const;

    // Puts the table window's Options items in the panel's hands: "Text Color", "Text Size" 8, 10,
    // 12, 14 and "Scroll Chat Off" (kept ticked together with the view's popup item).
    void attachMenu(QAction* textColor, const std::array<QAction*, 4>& textSizes,
                    QAction* scrollChatOff);

    // Operations.
    void sendit();
    // A received CMD_chat or CMD_action, the text after the command word ("2+Ann chats: hi|clRed").
    void chatrecieved(const QByteArray& data);
    // Adds "<prefix>+<text>" in a colour: prefix 0 for status lines, the seat (1..9) otherwise.
    // A prefix that is not a number throws EConvertError. The QByteArray form is wire text
    // (Latin-1); so is a plain string literal.
    void addlinetochat(const QString& line, color::Color colour);
    void addlinetochat(const QByteArray& line, color::Color colour);
    void addlinetochat(const char* line, color::Color colour);
    void button_smiliesClick();
    void N271Click(int smiley);
    void TextColor1Click();
    void N14Click(int points);
    void ScrollChatOff1Click();
    void mainchatJump(int number, const QString& target);
    void Image4Click();

    // Controls.
    ChatView* mainchat() const { return mainchat_; }
    QLineEdit* mychat() const { return mychat_; }
    PictureButton* button_smilies() const { return button_smilies_; }
    QMenu* popup_smilies() const { return popup_smilies_; }
    PictureButton* Image4() const { return Image4_; }
    QColorDialog* colorDialog() const;
    const chat::LinkSlots& chatlinks() const { return chatlinks_; }

signals:
    // The player chose a chat colour or a text size: the settings file should be written.
    void chatColorChanged();
    void textSizeChanged();
    void scrollOffChanged(bool off);

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void buildControls();
    void installStyles();
    void syncScrollOffItem(bool off);
    void applyColorChoice(const QColor& choice);

    ChatView* mainchat_ = nullptr;
    QLineEdit* mychat_ = nullptr;
    PictureButton* button_smilies_ = nullptr;
    QMenu* popup_smilies_ = nullptr;
    PictureButton* Image4_ = nullptr;
    QPointer<QColorDialog> colorDialog_;

    std::array<QPointer<QAction>, 4> textSizeItems_;
    QPointer<QAction> scrollOffItem_;

    SendLine send_;
    UrlOpener opener_;
    Dialogs* dialogs_ = nullptr;
    QUrl makerUrl_{QStringLiteral("http://www.quon77.com/")};

    color::Color chatColor_ = color::kBlack;
    chat::LinkSlots chatlinks_;
};

} // namespace zb
