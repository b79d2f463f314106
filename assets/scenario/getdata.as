// The snapshot query: the components' values, then the cells.
#include "scenario/report.as"

kvScnReportComponents();
kvScnReportCells();
fscommand("done", "");
