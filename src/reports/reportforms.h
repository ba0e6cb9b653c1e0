#pragma once
// The fifteen report forms, made once at start-up and reused by every print: each holds its
// paper, its bands, captions, field boxes and summary labels; a print binds it to a dataset.
#include "reportengine.h"
#include <QStringList>

// Creates the report forms and the preview window in start-up order (a second call does nothing).
void createReportForms();
// A report form by its class name ("TFdyghs1") or its variable name ("Fdyghs1"); nullptr when
// there is none (the forms are created on first use when start-up has not made them yet).
rpt::ReportForm *reportForm(const QString &name);
// The class names of the report forms in the order they are created.
QStringList reportFormNames();
