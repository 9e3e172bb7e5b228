#include "app/qt_texts.h"

#include <QCoreApplication>
#include <QLibraryInfo>
#include <QTranslator>

namespace tramela {

bool installItalianQtTexts(QCoreApplication& app) {
  auto* translator = new QTranslator(&app);
  for (const QString& folder : {QStringLiteral(":/tramela"),
                                QLibraryInfo::path(QLibraryInfo::TranslationsPath)}) {
    if (translator->load(QStringLiteral("qtbase_it"), folder)) {
      return QCoreApplication::installTranslator(translator);
    }
  }
  delete translator;
  return false;
}

}  // namespace tramela
