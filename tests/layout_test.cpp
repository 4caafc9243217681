// The machine window as it is built: places, fonts and what lies above what.
#include "support.h"

#include "platform/qt_internal.h"

#include <QFontInfo>
#include <QMenuBar>
#include <QResource>

using testsupport::MachineTest;

namespace {

QRect placeOf(const platform::Control& control) { return platform::qtWidget(control)->geometry(); }

}  // namespace

TEST_F(MachineTest, theWindowHasItsCaptionAndAFixedClientAreaUnderAOneEntryMenu)
{
    QWidget* window = platform::qtWidget(w());
    EXPECT_EQ(window->windowTitle(), "Vilkora");
    EXPECT_EQ(platform::qtClientArea(w())->size(), QSize(595, 603));
    EXPECT_EQ(window->minimumSize(), window->maximumSize());
    const auto* menu = platform::qtWidget(w())->findChild<QMenuBar*>();
    ASSERT_NE(menu, nullptr);
    ASSERT_EQ(menu->actions().size(), 1);
    EXPECT_EQ(menu->actions()[0]->text(), "&Help");
}

TEST_F(MachineTest, theDisplaysAreDrawnInTahomaBoldItalic)
{
    for (const platform::TextBox* box : {w().Text1, w().Text2, w().betbox, &w().voittosumma(7)}) {
        const QFontInfo font(platform::qtWidget(*box)->font());
        EXPECT_EQ(font.family(), "Tahoma");
        EXPECT_TRUE(font.bold());
        EXPECT_TRUE(font.italic());
    }
    EXPECT_EQ(QFontInfo(platform::qtWidget(*w().Text1)->font()).pixelSize(), 24);
}

TEST_F(MachineTest, everyControlLiesAtItsPlace)
{
    EXPECT_EQ(placeOf(*w().Text1), QRect(240, 16, 97, 29));
    EXPECT_EQ(placeOf(*w().betbox), QRect(278, 104, 25, 23));
    EXPECT_EQ(placeOf(*w().voitto(1)[0]), QRect(184, 136, 17, 17));
    EXPECT_EQ(placeOf(*w().voitto(6)[2]), QRect(232, 216, 17, 17));
    EXPECT_EQ(placeOf(w().voittosumma(6)), QRect(248, 216, 41, 17));
    EXPECT_EQ(placeOf(*w().voitto(7)[0]), QRect(304, 136, 17, 17));
    EXPECT_EQ(placeOf(w().voittosumma(12)), QRect(368, 216, 41, 17));
    EXPECT_EQ(placeOf(w().Image(1)), QRect(184, 281, 50, 45));
    EXPECT_EQ(placeOf(w().Image(5)), QRect(260, 338, 62, 62));
    EXPECT_EQ(placeOf(w().Image(9)), QRect(346, 413, 50, 45));
    EXPECT_EQ(placeOf(*w().nuoli_vasen), QRect(137, 352, 31, 32));
    EXPECT_EQ(placeOf(*w().nuoli_oikea), QRect(413, 352, 31, 32));
    EXPECT_EQ(placeOf(*w().kahva), QRect(544, 161, 47, 373));
    EXPECT_EQ(placeOf(*w().bet_max), QRect(224, 480, 49, 41));
    EXPECT_EQ(placeOf(*w().bet_one), QRect(312, 480, 41, 41));
    EXPECT_EQ(platform::qtWidget(*w().kahva)->cursor().shape(), Qt::UpArrowCursor);
}

TEST_F(MachineTest, theWinningLineIsDrawnAcrossAndAboveTheMiddleCells)
{
    const QRect line = placeOf(*w().Line1);
    EXPECT_EQ(line.top(), 368);
    EXPECT_EQ(line.left(), 168);
    EXPECT_EQ(line.right(), 412);
    QWidget* client = platform::qtClientArea(w());
    const auto children = client->children();
    const auto z = [&](const platform::Control& c) { return children.indexOf(platform::qtWidget(c)); };
    for (int cell : {2, 5, 8}) EXPECT_GT(z(*w().Line1), z(w().Image(cell)));

    // On the screen: red across each middle cell, over the star.
    const QImage shot = platform::qtWidget(w())->grab().toImage();
    const int y = client->mapTo(platform::qtWidget(w()), QPoint(0, 368)).y();
    for (int x : {190, 290, 380}) EXPECT_EQ(shot.pixelColor(x, y), QColor(255, 0, 0)) << x;
}

TEST_F(MachineTest, onlyTheStoresAndTheArrowsStartHidden)
{
    EXPECT_FALSE(w().nuoli_vasen->visible());
    EXPECT_FALSE(w().nuoli_oikea->visible());
    for (int row = 1; row <= machine::chartRows; ++row) {
        for (auto* image : w().voitto(row)) EXPECT_TRUE(image->visible());
        EXPECT_TRUE(w().voittosumma(row).visible());
    }
    EXPECT_TRUE(w().kahva->visible());
    EXPECT_TRUE(w().bet_one->visible() && w().bet_one->enabled());
    EXPECT_TRUE(w().bet_max->visible() && w().bet_max->enabled());
}

// Start-up keeps no copy of the stored background and scales the star once for its
// three cells, though each cell has a picture object of its own.
TEST_F(MachineTest, storedArtworkIsSharedWithTheProgramsOwnBytesAndBetweenItsPictures)
{
    const QResource stored(QStringLiteral(":/assets/machine.bmp"));
    const auto* first = stored.data();
    const auto* pixels = platform::StoredPicture("machine.bmp")->data().image.constBits();
    EXPECT_TRUE(pixels >= first && pixels < first + stored.size()) << "the background was copied";

    const platform::PictureRef& left = w().Image(2).picture();
    const platform::PictureRef& centre = w().Image(5).picture();
    EXPECT_NE(platform::handleOf(left), platform::handleOf(centre));
    const QImage& scaled = left->data().scaledTo(QSize(60, 60), 1.0);
    EXPECT_EQ(&scaled, &centre->data().scaledTo(QSize(60, 60), 1.0));
    EXPECT_EQ(scaled.size(), QSize(60, 60));
}
