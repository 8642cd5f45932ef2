// Printing the error protocol on the window's side: the printer chosen, the lines painted page by
// page, through the print module loaded when the player first prints.
#include "protocol_print.h"

#include "app/error_report.h"
#include "print/print_loader.h"

#include <QCoreApplication>
#include <QFontDatabase>
#include <QFontMetricsF>
#include <QPainter>

#include <algorithm>

namespace marvolen::ui {

int paintProtocolLines(QPainter& painter, const QRectF& page, const QStringList& lines,
                       const std::function<bool()>& newPage) {
    QFont font = QFontDatabase::systemFont(QFontDatabase::FixedFont);
    font.setStyleHint(QFont::TypeWriter);
    font.setPointSizeF(10);
    painter.setFont(font);
    // Continuation lines may run to 93 columns; on a narrow page the font shrinks rather than
    // the line being cut off at the margin.
    qsizetype columns = 0;
    for (const QString& line : lines)
        columns = std::max(columns, line.size());
    const qreal blank =
        QFontMetricsF(painter.font(), painter.device()).horizontalAdvance(QLatin1Char(' '));
    if (columns > 0 && blank > 0 && columns * blank > page.width()) {
        font.setPointSizeF(10 * page.width() / (columns * blank));
        painter.setFont(font);
    }
    const qreal lineHeight = QFontMetricsF(painter.font(), painter.device()).lineSpacing();

    int pages = 1;
    qreal y = page.top();
    for (const QString& line : lines) {
        if (y > page.top() && y + lineHeight > page.bottom()) {
            if (!newPage())
                break;
            ++pages;
            y = page.top();
        }
        painter.drawText(QRectF(page.left(), y, page.width(), lineHeight),
                         Qt::AlignLeft | Qt::AlignTop | Qt::TextDontClip, line);
        y += lineHeight;
    }
    return pages;
}

void printProtocolLines(PrintLoader& printing, app::PlainDialogs& dialogs, PrinterChoice* choice,
                        QWidget* parent, const QStringList& lines) {
    const QString title = QString::fromLatin1(app::kErrorReportTitle);
    // Qt Print Support comes with the module, loaded the first time the player prints.
    PrintSystem* system = printing.load();
    if (!system) {
        dialogs.warn(title, printing.failure());
        return;
    }
    PrintJob job;
    job.docName = QStringLiteral("Fehlerprotokoll / error protocoll");
    job.margins = QMarginsF(20, 15, 15, 15);
    job.choosePrinter = [choice, system, parent](QPrinter& printer) {
        return choice ? choice->choosePrinter(printer) : system->choosePrinter(parent, printer);
    };
    job.paint = [&lines](QPainter& painter, const QRectF& page,
                         const std::function<bool()>& newPage) {
        paintProtocolLines(painter, page, lines, newPage);
    };
    if (system->print(job) == PrintOutcome::NotStarted)
        dialogs.warn(title, QCoreApplication::translate(
                                "Marvolen", "The error protocol could not be printed."));
}

} // namespace marvolen::ui
