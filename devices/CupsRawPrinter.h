#pragma once

#include "devices/RawPrinter.h"

namespace zor {

// Raw jobs through the CUPS server libcups is set to (CUPS_SERVER, or the
// local one): the destinations without their instances, and jobs of the
// raw format, streamed in pieces.
class CupsRawPrinter : public RawPrinter {
public:
    QStringList ListPrinters() override;
    RawJobResult PrintRaw(const QString& text, const QString& printer, const QString& docName) override;
};

} // namespace zor
