#include "window/fonts.h"

#include <QFontInfo>
#include <QFontMetrics>
#include <QGroupBox>
#include <QStyle>
#include <QStyleOptionButton>
#include <QStyleOptionGroupBox>

#include <gtest/gtest.h>

#include "tests/window/form1_fixture.h"

namespace tramela {
namespace {

using CaptionFit = Form1Fixture;

// Every label's caption, wrapped as the label wraps it, lies inside the label's box.
TEST_F(CaptionFit, EveryLabelShowsItsWholeCaption) {
  const char* const kLabels[] = {"Label3", "Label4", "Label5"};
  for (const char* name : kLabels) {
    SCOPED_TRACE(name);
    const QLabel* label = child<QLabel>(QString::fromLatin1(name));
    const QRect box = label->contentsRect();
    const QRect needed = QFontMetrics(label->font())
                             .boundingRect(QRect(0, 0, box.width(), 1000),
                                           Qt::AlignLeft | Qt::AlignTop | Qt::TextWordWrap,
                                           label->text());
    EXPECT_LE(needed.width(), box.width());
    EXPECT_LE(needed.height(), box.height());
  }
  // Label4 is the heading that needs several lines.
  const QLabel* heading = child<QLabel>(QStringLiteral("Label4"));
  EXPECT_GT(QFontMetrics(heading->font()).horizontalAdvance(heading->text()), heading->width());
}

// Each option button's caption fits beside the style's indicator, and neither indicator nor
// text is cut at the top or bottom, Option1 and Option2 in their lower boxes included.
TEST_F(CaptionFit, EveryOptionButtonShowsItsWholeCaption) {
  for (QRadioButton* button : form_.findChildren<QRadioButton*>()) {
    SCOPED_TRACE(button->objectName().toStdString());
    QStyleOptionButton styleOption;
    styleOption.initFrom(button);
    styleOption.text = button->text();
    const QStyle* style = button->style();
    const QRect indicator =
        style->subElementRect(QStyle::SE_RadioButtonIndicator, &styleOption, button);
    const QRect contents =
        style->subElementRect(QStyle::SE_RadioButtonContents, &styleOption, button);
    const QFontMetrics metrics(button->font());
    EXPECT_TRUE(button->rect().contains(indicator)) << "indicator cut";
    EXPECT_LE(metrics.horizontalAdvance(button->text()), contents.width());
    EXPECT_LE(contents.right(), button->rect().right());
    EXPECT_LE(metrics.height(), button->height()) << "text cut at top or bottom";
  }
}

TEST_F(CaptionFit, TheFrameShowsItsWholeTitle) {
  QGroupBox* frame = child<QGroupBox>(QStringLiteral("Frame1"));
  QStyleOptionGroupBox styleOption;
  styleOption.initFrom(frame);
  styleOption.text = frame->title();
  styleOption.subControls = QStyle::SC_GroupBoxLabel | QStyle::SC_GroupBoxFrame;
  const QRect title = frame->style()->subControlRect(QStyle::CC_GroupBox, &styleOption,
                                                     QStyle::SC_GroupBoxLabel, frame);
  const QFontMetrics metrics(frame->font());
  EXPECT_LE(metrics.horizontalAdvance(frame->title()), title.width());
  EXPECT_TRUE(frame->rect().contains(title));
}

// The captions are measured in the font that was asked for, not in a stand-in.
TEST_F(CaptionFit, TheWindowFontIsLiberationSans) {
  EXPECT_EQ(QFontInfo(form_.font()).family(), "Liberation Sans");
  EXPECT_EQ(QFontInfo(dati1()->font()).family(), "Liberation Sans");
}

TEST_F(CaptionFit, TheResultIsRedBoldVerdanaOrItsStandIn) {
  const QLabel* label = label1();
  const QFont font = label->font();
  EXPECT_EQ(font.families().value(0), "Verdana");
  EXPECT_DOUBLE_EQ(font.pointSizeF(), 14.25);
  EXPECT_EQ(font.weight(), QFont::Bold);
  EXPECT_FALSE(font.italic());
  EXPECT_FALSE(font.underline());
  EXPECT_FALSE(font.strikeOut());
  const QString resolved = QFontInfo(font).family();
  EXPECT_TRUE(resolved == "Verdana" || resolved == "DejaVu Sans") << resolved.toStdString();
  EXPECT_TRUE(QFontInfo(font).bold());
  EXPECT_EQ(label->palette().color(QPalette::WindowText), QColor(255, 0, 0));
  // The other labels keep the window's colours.
  EXPECT_NE(child<QLabel>(QStringLiteral("Label5"))->palette().color(QPalette::WindowText),
            QColor(255, 0, 0));
}

// A long result fits Label1's width on one line in the result font.
TEST_F(CaptionFit, ALongResultFitsTheResultLabel) {
  const QLabel* label = label1();
  const QFontMetrics metrics(label->font());
  EXPECT_LE(metrics.horizontalAdvance(QStringLiteral("0,393700787401575")), label->width());
  EXPECT_LE(metrics.height(), label->height());
}

}  // namespace
}  // namespace tramela
