// A filled report written again as PDF by LibreOffice, when it is installed.
#pragma once

#include <QString>

#include <cstdint>

namespace app {

enum class PdfResult : std::uint8_t
{
    Written,
    // Neither "soffice" nor "libreoffice" is on the PATH.
    NoOffice,
    Failed
};

// Converts the RTF document into a PDF of the same name beside it, with LibreOffice in headless
// mode under a profile of its own (so that a LibreOffice the user has open does not get in the
// way). Blocks until the conversion ends; touches no widget.
PdfResult convertToPdf(const QString& rtfPath);

// What the status bar says of the conversion ("PDF no generado: LibreOffice no está
// instalado.").
QString pdfResultText(PdfResult result, const QString& pdfName);

} // namespace app
