// Compiled only by the document_links_no_qt test, which expects this to
// fail: the document library must not make Qt's headers reachable.
#include <QString>

QString Probe();
