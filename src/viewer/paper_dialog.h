#pragma once

// The question before printing or writing a PDF or PNG: the scale, and for
// paper (print and PDF) the sheet size.

#include "viewer/paper_sheets.h"

#include <QString>

#include <optional>

class QWidget;

namespace ft::viewer {

struct PaperChoice {
    double scale = 500.0;
    Paper paper;
};

// Asks for the scale, offering `last` first, and for the paper when
// `withPaper`; nothing when the user cancels or the scale cannot be read
// (after saying so).
std::optional<PaperChoice> askPaper(QWidget* parent, const QString& purpose,
                                    const PaperChoice& last, bool withPaper);

} // namespace ft::viewer
