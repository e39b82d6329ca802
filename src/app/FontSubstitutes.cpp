#include "app/FontSubstitutes.h"

#include <QFont>

namespace quillary {

void installFontSubstitutes() {
  QFont::insertSubstitution(QStringLiteral("Arial"), QStringLiteral("Liberation Sans"));
  QFont::insertSubstitution(QStringLiteral("Georgia"), QStringLiteral("DejaVu Serif"));
  QFont::insertSubstitution(QStringLiteral("Consolas"), QStringLiteral("Inconsolata"));
}

}  // namespace quillary
