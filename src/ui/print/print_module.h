// The print module's face: the one function the program looks up in it, and what it returns.
#pragma once

#include <QMarginsF>
#include <QRectF>
#include <QString>

#include <functional>

class QPainter;
class QPrinter;
class QWidget;

namespace marvolen::ui {

/// How a print job ended.
enum class PrintOutcome {
    Printed,
    /// The player closed the print dialog without printing.
    Cancelled,
    /// The printer (or the file) could not be opened for painting.
    NotStarted,
};

/// One document to print. The functions are the program's: the module calls them while the
/// printer it made exists.
struct PrintJob {
    QString docName;
    /// Page margins in millimetres.
    QMarginsF margins;
    /// Lets the player set up the printer; false when the player cancels.
    std::function<bool(QPrinter& printer)> choosePrinter;
    /// Paints the document into page; newPage() starts the next page, false stops the drawing.
    std::function<void(QPainter& painter, const QRectF& page, const std::function<bool()>& newPage)>
        paint;
};

/// Everything that prints, as the program sees it once the module is loaded.
class PrintSystem {
  public:
    virtual ~PrintSystem() = default;
    /// The print dialog for printer, modal over parent; false when the player cancels.
    virtual bool choosePrinter(QWidget* parent, QPrinter& printer) = 0;
    /// Makes a high-resolution printer for job, has it chosen, then paints and sends the pages.
    virtual PrintOutcome print(const PrintJob& job) = 0;
};

/// Raised whenever PrintSystem or PrintJob change, so that a module of another build is refused
/// rather than misread.
inline constexpr int PrintModuleVersion = 1;
/// The module's file name without the suffix of the platform's shared libraries.
inline constexpr char PrintModuleName[] = "marvolen_print";
/// The module's one exported function: extern "C", so that its name is plain.
inline constexpr char MakePrintSystemName[] = "marvolen_make_print_system";
/// Null for a version the module does not speak. The caller owns the result.
using MakePrintSystem = PrintSystem* (*)(int version);

} // namespace marvolen::ui
