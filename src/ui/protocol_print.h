// Printing the error protocol on the window's side: the printer chosen, the lines painted page by
// page, through the print module loaded when the player first prints.
#pragma once

#include "app/ports.h"

#include <QRectF>
#include <QStringList>

#include <functional>

class QPainter;
class QPrinter;
class QWidget;

namespace marvolen::ui {

class PrintLoader;

/// The error window's choice of a printer, a matter of Qt's print dialog; tests choose a file.
class PrinterChoice {
  public:
    virtual ~PrinterChoice() = default;
    /// Lets the user set up the printer (or a PDF file); false when the user cancels.
    virtual bool choosePrinter(QPrinter& printer) = 0;
};

/// Draws lines as they are, one per line in a monospaced font from the top of page; when the
/// next line no longer fits, newPage() starts a fresh page (false stops the drawing). Returns
/// the pages used.
int paintProtocolLines(QPainter& painter, const QRectF& page, const QStringList& lines,
                       const std::function<bool()>& newPage);

/// Prints lines through the print module, loaded now when it is not yet. The printer is set up
/// by choice, or by the module's print dialog over parent when choice is null. A module that
/// cannot be loaded, or a printer that cannot be opened, is told through dialogs.
void printProtocolLines(PrintLoader& printing, app::PlainDialogs& dialogs, PrinterChoice* choice,
                        QWidget* parent, const QStringList& lines);

} // namespace marvolen::ui
