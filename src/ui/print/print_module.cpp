// The print module: Qt Print Support, loaded by the program only once the player prints.
#include "print_module.h"

#include <QPageLayout>
#include <QPainter>
#include <QPrintDialog>
#include <QPrinter>

namespace marvolen::ui {
namespace {

class QtPrintSystem final : public PrintSystem {
  public:
    bool choosePrinter(QWidget* parent, QPrinter& printer) override {
        QPrintDialog dialog(&printer, parent);
        return dialog.exec() == QDialog::Accepted;
    }

    PrintOutcome print(const PrintJob& job) override {
        QPrinter printer(QPrinter::HighResolution);
        printer.setDocName(job.docName);
        printer.setPageMargins(job.margins, QPageLayout::Millimeter);
        if (!job.choosePrinter || !job.choosePrinter(printer))
            return PrintOutcome::Cancelled;
        QPainter painter;
        if (!painter.begin(&printer))
            return PrintOutcome::NotStarted;
        if (job.paint)
            job.paint(painter, QRectF(0, 0, printer.width(), printer.height()),
                      [&printer] { return printer.newPage(); });
        // Ending the painter ends the document, and the printer starts.
        painter.end();
        return PrintOutcome::Printed;
    }
};

} // namespace
} // namespace marvolen::ui

extern "C" Q_DECL_EXPORT marvolen::ui::PrintSystem* marvolen_make_print_system(int version) {
    if (version != marvolen::ui::PrintModuleVersion)
        return nullptr;
    return new marvolen::ui::QtPrintSystem;
}
