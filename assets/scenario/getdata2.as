// The query for the cells alone.
#include "scenario/report.as"

kvScnReportCells();
fscommand("done", "");
