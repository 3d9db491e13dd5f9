#include "shell/chatpanel.h"

#include "controls/chatview.h"
#include "controls/picturebutton.h"
#include "controls/pictures.h"
#include "net/guard.h"
#include "net/latin1.h"
#include "shell/dialogs.h"

#include <QAction>
#include <QColorDialog>
#include <QDesktopServices>
#include <QKeyEvent>
#include <QLineEdit>
#include <QMenu>
#include <algorithm>

namespace zb {

const QString ChatPanel::kEnterChat = QStringLiteral("<Enter Chat Here>");

namespace {

constexpr int kMinTextSize = 1;
// The host cuts off a connection that sends 64 KiB without a terminator; a typed line stays
// well below that in any form it is sent.
constexpr int kMaxInput = 32000;
constexpr int kMaxTextSize = 144;
// The view's background, $B3C8CC like the table's panel.
constexpr color::Color kViewBackground = 0xB3C8CC;

QColor toQColor(color::Color colour) {
    return QColor(QRgb(color::toRgb(colour)));
}

struct StyleSeed {
    color::Color colour;
    bool bold;
    bool italic;
    bool underline;
};

// The style sheet at creation. Seat styles take their colours from the lines added to them.
constexpr std::array<StyleSeed, chat::kStyleCount> kStyleSeeds{{
    {color::kBlue, false, false, false},       // 0 status lines
    {color::kBlue, true, false, false},        // 1
    {color::kNavy, true, false, false},        // 2
    {color::kMaroon, false, true, false},      // 3
    {color::kGreen, false, false, true},       // 4 links
    {color::kGreen, false, false, true},       // 5 links
    {color::kSilver, false, false, false},     // 6 seat 1
    {color::kSilver, false, false, false},     // 7 seat 2
    {color::kWindowText, false, false, false}, // 8..14 seats 3..9
    {color::kWindowText, false, false, false},
    {color::kWindowText, false, false, false},
    {color::kWindowText, false, false, false},
    {color::kWindowText, false, false, false},
    {color::kWindowText, false, false, false},
    {color::kWindowText, false, false, false},
}};

} // namespace

ChatPanel::ChatPanel(QWidget* parent, Dialogs* dialogs)
    : QWidget(parent), dialogs_(dialogs ? dialogs : &standardDialogs()) {
    setObjectName(QStringLiteral("chatpanel"));
    setFixedSize(kSize);
    opener_ = [](const QUrl& url) { return QDesktopServices::openUrl(url); };
    buildControls();
    installStyles();
}

ChatPanel::~ChatPanel() = default;

void ChatPanel::buildControls() {
    mainchat_ = new ChatView(this);
    mainchat_->setObjectName(QStringLiteral("mainchat"));
    mainchat_->setGeometry(1, 2, 481, 108);
    mainchat_->setBackgroundColor(toQColor(kViewBackground));
    mainchat_->setHorizontalMargin(5);
    connect(mainchat_, &ChatView::linkClicked, this, [this](int number, const QString& target) {
        guarded([&] { mainchatJump(number, target); });
    });
    connect(mainchat_, &ChatView::clearedByUser, this,
            [this] { guarded([&] { mychat_->setFocus(); }); });
    connect(mainchat_, &ChatView::autoScrollChanged, this, [this](bool on) {
        guarded([&] {
            syncScrollOffItem(!on);
            emit scrollOffChanged(!on);
        });
    });

    mychat_ = new QLineEdit(this);
    mychat_->setObjectName(QStringLiteral("mychat"));
    mychat_->setGeometry(2, 111, 333, 22);
    mychat_->setMaxLength(kMaxInput);
    mychat_->setText(kEnterChat);
    mychat_->installEventFilter(this);

    button_smilies_ = new PictureButton(this);
    button_smilies_->setObjectName(QStringLiteral("button_smilies"));
    button_smilies_->setGeometry(339, 112, 26, 20);
    button_smilies_->setPictureSource(
        [](qreal dpr) { return pics::smileyButton(pics::kSmileyButtonSize, dpr); });
    connect(button_smilies_, &PictureButton::clicked, this,
            [this] { guarded([&] { button_smiliesClick(); }); });

    popup_smilies_ = new QMenu(this);
    popup_smilies_->setObjectName(QStringLiteral("popup_smilies"));
    for (int n = chat::kFirstSmiley; n <= chat::kLastSmiley; ++n) {
        QAction* entry = popup_smilies_->addAction(
            QIcon(pics::smiley(n, pics::kSmileySize, devicePixelRatioF())),
            QStringLiteral(":)#%1").arg(n));
        connect(entry, &QAction::triggered, this, [this, n] { guarded([&] { N271Click(n); }); });
    }

    Image4_ = new PictureButton(this);
    Image4_->setObjectName(QStringLiteral("Image4"));
    Image4_->setGeometry(368, 111, 114, 22);
    Image4_->setPictureSource([](qreal dpr) { return pics::banner(pics::kBannerSize, dpr); });
    connect(Image4_, &PictureButton::clicked, this, [this] { guarded([&] { Image4Click(); }); });
}

void ChatPanel::installStyles() {
    for (const StyleSeed& seed : kStyleSeeds) {
        ChatTextStyle style;
        style.family = QStringLiteral("Arial");
        style.pointSize = 10;
        style.color = toQColor(seed.colour);
        style.bold = seed.bold;
        style.italic = seed.italic;
        style.underline = seed.underline;
        style.jump = seed.underline; // the view treats text in styles 4 and 5 as links
        mainchat_->addStyle(style);
    }
}

// ---- Sending -------------------------------------------------------------------------------

bool ChatPanel::eventFilter(QObject* watched, QEvent* event) {
    if (watched != mychat_ || event->type() != QEvent::KeyPress)
        return QWidget::eventFilter(watched, event);
    const auto* key = static_cast<QKeyEvent*>(event);
    const bool enter = key->key() == Qt::Key_Return || key->key() == Qt::Key_Enter;
    guarded([&] {
        // mychatKeyDown: the prompt goes away with the first key.
        if (mychat_->text() == kEnterChat)
            mychat_->clear();
        if (enter)
            sendit();
    });
    return enter;
}

void ChatPanel::sendit() {
    const QString text = mychat_->text();
    if (text.isEmpty() || !send_)
        return;
    if (send_(text, chatColorText()))
        mychat_->clear();
}

// ---- Receiving and showing -----------------------------------------------------------------

void ChatPanel::chatrecieved(const QByteArray& data) {
    const chat::Payload p = chat::splitPayload(fromWire(data));
    addlinetochat(p.line, p.colour);
}

void ChatPanel::addlinetochat(const QByteArray& line, color::Color colour) {
    addlinetochat(fromWire(line), colour);
}

void ChatPanel::addlinetochat(const char* line, color::Color colour) {
    addlinetochat(QString::fromLatin1(line), colour);
}

void ChatPanel::addlinetochat(const QString& text, color::Color colour) {
    const std::optional<chat::Line> line = chat::formatLine(text);
    if (!line)
        return;
    // Every item already shown in the line's style takes the new colour too.
    mainchat_->setStyleColor(line->style, toQColor(colour));
    mainchat_->setStyleBold(line->style, true);
    const qreal dpr = mainchat_->devicePixelRatioF();
    for (const chat::Token& token : line->tokens) {
        switch (token.kind) {
        case chat::Token::Kind::Speaker:
            mainchat_->addText(token.text, line->style, true);
            break;
        case chat::Token::Kind::Word:
            mainchat_->addText(token.text, line->style, false);
            break;
        case chat::Token::Kind::Link:
            chatlinks_.store(token.text);
            mainchat_->addText(token.text, chat::kLinkStyle, false, token.text);
            break;
        case chat::Token::Kind::Smiley:
            mainchat_->addPicture(pics::smiley(token.smiley, pics::kSmileySize, dpr), false);
            break;
        }
    }
    mainchat_->refresh();
}

// ---- Links ---------------------------------------------------------------------------------

void ChatPanel::mainchatJump(int /*number*/, const QString& target) {
    // Each link opens the text it was added with, so clearing the view or wrapping the 101 slots
    // can never make a link open another one's address.
    const std::optional<QUrl> url = chat::webAddress(target);
    if (!url) {
        dialogs_->information(window(), QStringLiteral("Zorbinet"),
                              QStringLiteral("Cannot open Webpage"));
        return;
    }
    if (opener_)
        opener_(*url); // a refusal by the system is not reported
}

void ChatPanel::Image4Click() {
    if (opener_)
        opener_(makerUrl_);
}

// ---- Smilies -------------------------------------------------------------------------------

void ChatPanel::button_smiliesClick() {
    popup_smilies_->popup(button_smilies_->mapToGlobal(button_smilies_->rect().bottomRight()));
}

void ChatPanel::N271Click(int smiley) {
    if (mychat_->text() == kEnterChat)
        mychat_->clear();
    mychat_->setText(mychat_->text() + QStringLiteral(":)#") + QString::number(smiley));
    mychat_->deselect();
    mychat_->end(false);
}

// ---- Preferences ---------------------------------------------------------------------------

void ChatPanel::setChatColor(color::Color colour) {
    chatColor_ = colour;
    // A style sheet of the window may colour line edits; the line's own sheet outranks it.
    mychat_->setStyleSheet(QStringLiteral("color: %1;").arg(toQColor(colour).name()));
}

void ChatPanel::setTextSize(int points) {
    points = std::clamp(points, kMinTextSize, kMaxTextSize);
    mainchat_->setPointSizeOfAll(points);
    for (std::size_t i = 0; i < kTextSizes.size(); ++i) {
        if (textSizeItems_[i])
            textSizeItems_[i]->setChecked(kTextSizes[i] == points);
    }
}

int ChatPanel::textSize() const {
    return mainchat_->style(chat::kStatusStyle).pointSize;
}

void ChatPanel::setScrollOff(bool off) {
    mainchat_->setAutoScroll(!off);
    syncScrollOffItem(off);
}

bool ChatPanel::scrollOff() const {
    return !mainchat_->autoScroll();
}

void ChatPanel::syncScrollOffItem(bool off) {
    if (scrollOffItem_ && scrollOffItem_->isChecked() != off) {
        const QSignalBlocker block(scrollOffItem_.data());
        scrollOffItem_->setChecked(off);
    }
}

QColorDialog* ChatPanel::colorDialog() const {
    return colorDialog_.data();
}

void ChatPanel::TextColor1Click() {
    if (!colorDialog_) {
        colorDialog_ = new QColorDialog(this);
        colorDialog_->setObjectName(QStringLiteral("ColorDialog1"));
        colorDialog_->setOption(QColorDialog::DontUseNativeDialog);
        connect(colorDialog_, &QColorDialog::colorSelected, this,
                [this](const QColor& choice) { guarded([&] { applyColorChoice(choice); }); });
    }
    if (colorDialog_->isVisible()) {
        colorDialog_->raise();
        colorDialog_->activateWindow();
        return;
    }
    colorDialog_->setCurrentColor(toQColor(chatColor_));
    colorDialog_->open();
}

void ChatPanel::applyColorChoice(const QColor& choice) {
    setChatColor(color::fromRgb(choice.rgb()));
    emit chatColorChanged();
}

void ChatPanel::N14Click(int points) {
    setTextSize(points);
    emit textSizeChanged();
}

void ChatPanel::ScrollChatOff1Click() {
    setScrollOff(!scrollOff());
}

void ChatPanel::attachMenu(QAction* textColor, const std::array<QAction*, 4>& textSizes,
                           QAction* scrollChatOff) {
    if (textColor)
        connect(textColor, &QAction::triggered, this,
                [this] { guarded([&] { TextColor1Click(); }); });
    for (std::size_t i = 0; i < textSizes.size(); ++i) {
        textSizeItems_[i] = textSizes[i];
        if (!textSizes[i])
            continue;
        textSizes[i]->setCheckable(true);
        textSizes[i]->setChecked(kTextSizes[i] == textSize());
        const int points = kTextSizes[i];
        connect(textSizes[i], &QAction::triggered, this,
                [this, points] { guarded([&] { N14Click(points); }); });
    }
    scrollOffItem_ = scrollChatOff;
    if (scrollChatOff) {
        scrollChatOff->setCheckable(true);
        scrollChatOff->setChecked(scrollOff());
        // The item has ticked or unticked itself already; the view and its popup follow.
        connect(scrollChatOff, &QAction::triggered, this,
                [this](bool checked) { guarded([&] { setScrollOff(checked); }); });
    }
}

} // namespace zb
