#include "app/qt_texts.h"

#include <QApplication>
#include <QLineEdit>
#include <QMenu>
#include <QStringList>

#include <gtest/gtest.h>

#include <memory>

namespace tramela {
namespace {

// The entries of the input field's context menu as the user reads them: no access-key
// marks, no shortcuts.
QStringList contextMenuEntries() {
  QLineEdit field;
  field.setText(QStringLiteral("1,5"));
  const std::unique_ptr<QMenu> menu(field.createStandardContextMenu());
  QStringList entries;
  for (const QAction* action : menu->actions()) {
    if (action->isSeparator()) continue;
    entries << action->text().section(QLatin1Char('\t'), 0, 0).remove(QLatin1Char('&'));
  }
  return entries;
}

TEST(QtTexts, TheInputFieldsContextMenuReadsInItalian) {
  ASSERT_TRUE(installItalianQtTexts(*qApp));
  const QStringList entries = contextMenuEntries();
  const char* const kItalian[] = {"Annulla", "Rifai", "Taglia", "Copia",
                                  "Incolla", "Elimina", "Seleziona tutto"};
  for (const char* entry : kItalian) {
    SCOPED_TRACE(entry);
    EXPECT_TRUE(entries.contains(QString::fromUtf8(entry))) << entries.join(", ").toStdString();
  }
  EXPECT_FALSE(entries.contains(QStringLiteral("Paste")));
}

}  // namespace
}  // namespace tramela
