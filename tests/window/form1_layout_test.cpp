#include "window/form1_layout.h"

#include <QApplication>
#include <QGroupBox>
#include <QRect>

#include <gtest/gtest.h>

#include <set>

#include "window/form1.h"
#include "tests/window/form1_fixture.h"

namespace tramela {
namespace {

struct Placed {
  const char* name;
  const char* className;
  const char* parent;
  QRect pixels;
};

// Every control in pixels at 96 dots per inch, worked out by hand from its twips; a line is
// a 2-pixel rule starting at its y.
const Placed kPlaced[] = {
    {"Picture1", "QLabel", "Form1", {8, 8, 105, 49}},
    {"Label4", "QLabel", "Form1", {128, 8, 169, 49}},
    {"dati1", "QLineEdit", "Form1", {168, 64, 121, 25}},
    {"Label3", "QLabel", "Form1", {24, 72, 137, 17}},
    {"Frame1", "QGroupBox", "Form1", {16, 104, 281, 305}},
    {"Label5", "QLabel", "Form1", {32, 424, 169, 17}},
    {"Label1", "tramela::ResultLabel", "Form1", {32, 448, 247, 39}},
    {"Line2", "QFrame", "Form1", {24, 488, 256, 2}},
    {"Option5", "QRadioButton", "Frame1", {16, 24, 193, 17}},
    {"Line1", "QFrame", "Frame1", {16, 48, 184, 2}},
    {"Option1", "QRadioButton", "Frame1", {16, 56, 113, 13}},
    {"Option2", "QRadioButton", "Frame1", {16, 80, 113, 13}},
    {"Option3", "QRadioButton", "Frame1", {16, 104, 185, 17}},
    {"Option4", "QRadioButton", "Frame1", {16, 128, 185, 17}},
    {"Option6", "QRadioButton", "Frame1", {16, 152, 185, 17}},
    {"Option7", "QRadioButton", "Frame1", {16, 176, 193, 17}},
    {"Option8", "QRadioButton", "Frame1", {16, 200, 185, 17}},
    {"Option9", "QRadioButton", "Frame1", {16, 224, 185, 17}},
    {"Option10", "QRadioButton", "Frame1", {16, 248, 185, 17}},
    {"Option11", "QRadioButton", "Frame1", {16, 272, 185, 17}},
};

using Form1Layout = Form1Fixture;

void expectPlacedAsDrawn(const Form1& form) {
  // Nothing else is placed: as many widgets in the window and in the frame as in the table.
  const auto* frame = form.findChild<QGroupBox*>(QStringLiteral("Frame1"));
  ASSERT_NE(frame, nullptr);
  EXPECT_EQ(form.findChildren<QWidget*>(Qt::FindDirectChildrenOnly).size(), 8);
  EXPECT_EQ(frame->findChildren<QWidget*>(Qt::FindDirectChildrenOnly).size(), 12);
  for (const Placed& placed : kPlaced) {
    SCOPED_TRACE(placed.name);
    const QWidget* widget = form.findChild<QWidget*>(QString::fromLatin1(placed.name));
    ASSERT_NE(widget, nullptr);
    EXPECT_STREQ(widget->metaObject()->className(), placed.className);
    ASSERT_NE(widget->parentWidget(), nullptr);
    EXPECT_EQ(widget->parentWidget()->objectName().toStdString(), placed.parent);
    EXPECT_EQ(widget->geometry(), placed.pixels);
  }
}

TEST_F(Form1Layout, EveryControlSitsInItsBox) {
  EXPECT_EQ(form_.objectName(), "Form1");
  EXPECT_EQ(form_.windowTitle(), "TRAMELA");
  EXPECT_EQ(form_.size(), QSize(312, 503));
  expectPlacedAsDrawn(form_);
}

TEST_F(Form1Layout, ResizingMovesNothingAndTheWindowStaysResizable) {
  form_.resize(500, 700);
  QApplication::processEvents();
  EXPECT_EQ(form_.size(), QSize(500, 700));
  expectPlacedAsDrawn(form_);
  form_.resize(200, 300);
  QApplication::processEvents();
  EXPECT_EQ(form_.size(), QSize(200, 300));
  expectPlacedAsDrawn(form_);
}

TEST_F(Form1Layout, OptionCaptionsComeFromTheConversionTable) {
  for (const ConversionEntry& entry : entriesInListOrder()) {
    const QString name = QStringLiteral("Option%1").arg(static_cast<int>(entry.option));
    SCOPED_TRACE(name.toStdString());
    const QRadioButton* button = option(name);
    ASSERT_NE(button, nullptr);
    EXPECT_EQ(button->text().toStdString(), entry.caption);
  }
}

TEST_F(Form1Layout, LabelsAndFrameShowTheirCaptions) {
  const struct {
    const char* name;
    const char* caption;
  } kCaptions[] = {
      {"Label4", "TRAMELA - utilizzare la virgola come separatore dei decimali (non il punto)."},
      {"Label3", "Inserire i dati da convertire"},
      {"Label5", "RISULTATO CONVERSIONE"},
      {"Label1", ""},
  };
  for (const auto& row : kCaptions) {
    SCOPED_TRACE(row.name);
    const QLabel* label = child<QLabel>(QString::fromLatin1(row.name));
    ASSERT_NE(label, nullptr);
    EXPECT_EQ(label->text().toStdString(), row.caption);
    EXPECT_EQ(label->textFormat(), Qt::PlainText);
    EXPECT_TRUE(label->wordWrap());
    EXPECT_EQ(label->alignment(), Qt::AlignLeft | Qt::AlignTop);
  }
  EXPECT_EQ(child<QGroupBox>(QStringLiteral("Frame1"))->title(), "CONVERSIONI");
}

TEST(Form1LayoutTable, TabIndexesRunFromZeroWithoutGapsOrRepeats) {
  std::set<int> seen;
  int counted = 0;
  for (const ControlLayout& control : kForm1Layout) {
    if (control.tabIndex == kNoTabIndex) continue;
    ++counted;
    EXPECT_TRUE(seen.insert(control.tabIndex).second) << "tab index " << control.tabIndex;
  }
  EXPECT_EQ(counted, kLastTabIndex + 1);
  EXPECT_EQ(*seen.begin(), 0);
  EXPECT_EQ(*seen.rbegin(), kLastTabIndex);
}

}  // namespace
}  // namespace tramela
