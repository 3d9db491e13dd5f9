// A ticked check box shows a tick: the box's fill with a clearly lighter mark inside it, from
// pictures drawn in code and reached through an in-memory resource.

#include "controls/flatstyle.h"
#include "controls/memoryresource.h"
#include "controls_helpers.h"

#include <QCheckBox>
#include <QFile>
#include <QFileInfo>
#include <QImage>
#include <QPixmap>
#include <QVBoxLayout>
#include <gtest/gtest.h>

namespace {

// The box of the indicator: the pixels of the box's border colour or fill, found in the left
// part of the check box, and what lies inside it.
struct Box {
    QRect rect;
    int lightInside = 0; // pixels inside the border much lighter than the fill
    int darkInside = 0;  // pixels inside the border of the fill's darkness
};

Box indicatorOf(const QImage& img, int indicatorWidth) {
    // The indicator is the only saturated blue (checked) or grey-framed box at the left.
    QRect found;
    for (int y = 0; y < img.height(); ++y) {
        for (int x = 0; x < std::min(img.width(), indicatorWidth + 6); ++x) {
            const QColor c = img.pixelColor(x, y);
            if (c.blue() > c.red() + 60 && c.lightness() < 160)
                found |= QRect(x, y, 1, 1);
        }
    }
    Box box{found};
    for (int y = found.top() + 2; y <= found.bottom() - 2; ++y) {
        for (int x = found.left() + 2; x <= found.right() - 2; ++x) {
            const QColor c = img.pixelColor(x, y);
            if (c.lightness() > 200)
                ++box.lightInside;
            else if (c.blue() > c.red() + 60)
                ++box.darkInside;
        }
    }
    return box;
}

QImage checkBoxLook(bool checked, bool enabled = true) {
    auto* window = new QWidget;
    auto* layout = new QVBoxLayout(window);
    auto* box = new QCheckBox(QStringLiteral("Team Game"), window);
    layout->addWidget(box);
    zb::flat::applyFlatStyle(window);
    box->setChecked(checked);
    box->setEnabled(enabled);
    window->resize(160, 40);
    window->show();
    const QImage img = zbtest::look(box);
    delete window;
    return img;
}

TEST(CheckMark, ATickedBoxShowsALightTickOnItsFill) {
    const Box ticked = indicatorOf(checkBoxLook(true), 14);
    ASSERT_GE(ticked.rect.width(), 12) << "the box is drawn";
    ASSERT_GE(ticked.rect.height(), 12);
    EXPECT_GE(ticked.darkInside, 20) << "the box is filled";
    EXPECT_GE(ticked.lightInside, 8) << "a mark of some length stands inside the box";
}

TEST(CheckMark, AnEmptyBoxHasNoTick) {
    const QImage img = checkBoxLook(false);
    EXPECT_EQ(indicatorOf(img, 14).darkInside, 0) << "no fill";
    // The frame: whatever is drawn darker than the white inside, at the left of the text.
    QRect frame;
    for (int y = 0; y < img.height(); ++y)
        for (int x = 0; x < 18; ++x)
            if (qAlpha(img.pixel(x, y)) > 0 && img.pixelColor(x, y).lightness() < 200)
                frame |= QRect(x, y, 1, 1);
    ASSERT_GE(frame.width(), 12);
    int marks = 0;
    for (int y = frame.top() + 2; y <= frame.bottom() - 2; ++y)
        for (int x = frame.left() + 2; x <= frame.right() - 2; ++x)
            marks += img.pixelColor(x, y).lightness() < 200 ? 1 : 0;
    EXPECT_EQ(marks, 0) << "nothing inside the frame";
}

TEST(CheckMark, TheTickPicturesAreResourcesInBothDensities) {
    for (bool enabled : {true, false}) {
        const QString path = zb::flat::tickImage(enabled);
        ASSERT_TRUE(path.startsWith(":/")) << path.toStdString();
        QPixmap one(path);
        ASSERT_FALSE(one.isNull()) << path.toStdString();
        EXPECT_EQ(one.size(), QSize(12, 12));
        QString twice = path;
        twice.replace(".png", "@2x.png");
        EXPECT_EQ(QPixmap(twice).size(), QSize(24, 24)) << twice.toStdString();
        // Mostly clear, with the mark itself opaque.
        const QImage img = one.toImage().convertToFormat(QImage::Format_ARGB32);
        int opaque = 0;
        for (int y = 0; y < img.height(); ++y)
            for (int x = 0; x < img.width(); ++x)
                opaque += qAlpha(img.pixel(x, y)) > 200 ? 1 : 0;
        EXPECT_GE(opaque, 8);
        EXPECT_LE(opaque, 60);
    }
}

TEST(MemoryResource, FilesAreReadBackByPathWhateverTheirOrder) {
    QList<QPair<QString, QByteArray>> files;
    for (int i = 0; i < 12; ++i)
        files.append({QStringLiteral("file%1.txt").arg(i), QByteArray(i * 7 + 1, char('a' + i))});
    files.append({QStringLiteral("empty"), QByteArray()});
    ASSERT_TRUE(zb::registerMemoryResource(QStringLiteral("zbtestmem"), files));
    for (const auto& [name, bytes] : files) {
        QFile f(QStringLiteral(":/zbtestmem/") + name);
        ASSERT_TRUE(f.open(QIODevice::ReadOnly)) << name.toStdString();
        EXPECT_EQ(f.readAll(), bytes) << name.toStdString();
    }
    EXPECT_FALSE(QFile::exists(QStringLiteral(":/zbtestmem/file12.txt")));
    EXPECT_FALSE(QFile::exists(QStringLiteral(":/zbtestmem/file1.txtx")));
    EXPECT_TRUE(QFileInfo(QStringLiteral(":/zbtestmem")).isDir());
}

TEST(MemoryResource, TheDataStartsWithTheResourceHeader) {
    const QByteArray data = zb::memoryResourceData("f", {{"a", "xyz"}});
    ASSERT_GE(data.size(), 20);
    EXPECT_EQ(data.left(4), "qres");
    EXPECT_EQ(data.mid(4, 4), QByteArray("\0\0\0\1", 4)) << "format version 1";
    EXPECT_EQ(data.mid(8, 4), QByteArray("\0\0\0\x14", 4)) << "the tree right after the header";
    EXPECT_TRUE(data.contains("xyz"));
}

} // namespace
