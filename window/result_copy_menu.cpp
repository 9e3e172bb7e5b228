#include "window/result_copy_menu.h"

#include <QAction>
#include <QClipboard>
#include <QGuiApplication>

#include "window/result_label.h"

namespace tramela {

ResultCopyMenu::ResultCopyMenu(ResultLabel* label) : QObject(label), label_(label) {
  label_->setTextInteractionFlags(Qt::TextSelectableByMouse);
  // Selecting text would let a click give the label the focus; a label never takes it.
  label_->setFocusPolicy(Qt::NoFocus);
  // Qt's own menu for a selectable label needs the focus; this one works without it.
  label_->setContextMenuPolicy(Qt::ActionsContextMenu);

  auto* copyAction = new QAction(QStringLiteral("&Copia"), label_);
  connect(copyAction, &QAction::triggered, this, &ResultCopyMenu::copy);
  auto* selectAllAction = new QAction(QStringLiteral("Seleziona &tutto"), label_);
  connect(selectAllAction, &QAction::triggered, this, &ResultCopyMenu::selectAll);
  label_->addActions({copyAction, selectAllAction});
}

void ResultCopyMenu::copy() {
  const QString selected = label_->selectedText();
  const bool partOfIt = !selected.isEmpty() && selected.size() < label_->text().size();
  const QString text = partOfIt ? selected : label_->resultText();
  // An empty result leaves what the user copied before on the clipboard.
  if (!text.isEmpty()) QGuiApplication::clipboard()->setText(text);
}

void ResultCopyMenu::selectAll() {
  label_->setSelection(0, static_cast<int>(label_->text().size()));
}

}  // namespace tramela
