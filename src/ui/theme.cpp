// The stylesheet resource and the command buttons' highlight.
#include "ui/theme.h"

#include <QFile>
#include <QStyle>
#include <QWidget>

namespace marvolen::ui::theme {

const QString& styleSheet() {
    static const QString sheet = [] {
        QFile file(kStyleSheetPath);
        return file.open(QIODevice::ReadOnly) ? QString::fromUtf8(file.readAll()) : QString();
    }();
    return sheet;
}

void setHighlighted(QWidget& button, bool highlighted) {
    button.setProperty("highlighted", highlighted);
    // A property selector is matched when the widget is polished, not when the property changes.
    button.style()->unpolish(&button);
    button.style()->polish(&button);
    button.update();
}

} // namespace marvolen::ui::theme
