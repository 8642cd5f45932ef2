// The game's colours and its one stylesheet, shared by every window.
#pragma once

#include <QColor>
#include <QString>

class QWidget;

namespace marvolen::ui::theme {

/// Bright cyan: texts and symbols on the dark windows, a highlighted command button.
inline const QColor kCyan{0, 255, 255};
/// Teal: frames, thin rules, the copyright line, selections and the dialogs' buttons.
inline const QColor kTeal{0, 192, 192};
/// The dark grey of the windows, the panel's fields and a command button at rest.
inline const QColor kIdleGrey{64, 64, 64};

/// The stylesheet resource.
inline const QString kStyleSheetPath = QStringLiteral(":/res/STYLE/theme");

/// The game's stylesheet, read once; empty when the resource is missing. Its rules name the
/// window they belong to, so every window takes the whole sheet with
/// window.setStyleSheet(theme::styleSheet()), and dialogs opened over it are left alone.
const QString& styleSheet();

/// Marks a main-window command button as running its command (grey on cyan) or at rest (cyan on
/// grey) and restyles it at once; the sheet selects on the property "highlighted".
void setHighlighted(QWidget& button, bool highlighted);

} // namespace marvolen::ui::theme
