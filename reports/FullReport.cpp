// The full report: the values of its tags, code page 1252 and filling the template.
#include "FullReport.h"

#include "uDbFreeReporter.h"

#include <QFile>


#include <array>

namespace {

// The characters of 0x80..0x9F in code page 1252; 0 where it has none.
constexpr std::array<char32_t, 32> HighControls{
    0x20AC, 0,      0x201A, 0x0192, 0x201E, 0x2026, 0x2020, 0x2021, 0x02C6, 0x2030, 0x0160,
    0x2039, 0x0152, 0,      0x017D, 0,      0,      0x2018, 0x2019, 0x201C, 0x201D, 0x2022,
    0x2013, 0x2014, 0x02DC, 0x2122, 0x0161, 0x203A, 0x0153, 0,      0x017E, 0x0178};

char toByte(char32_t c)
{
    if (c < 0x80 || (c >= 0xA0 && c <= 0xFF))
        return static_cast<char>(c);
    for (std::size_t i = 0; i < HighControls.size(); ++i) {
        if (HighControls[i] != 0 && HighControls[i] == c)
            return static_cast<char>(0x80 + i);
    }
    return '?';
}

std::string bytes(const QString& text)
{
    return ToCodePage1252(text).toStdString();
}

QString yesNo(bool authorisationNeeded)
{
    return authorisationNeeded ? QStringLiteral("Sí") : QStringLiteral("No");
}

QString sign(Amount value)
{
    return value >= 0 ? QStringLiteral("positivo") : QStringLiteral("negativo");
}

} // namespace

QByteArray ToCodePage1252(const QString& text)
{
    QByteArray encoded;
    for (const char32_t c : text.toUcs4())
        encoded.append(toByte(c));
    return encoded;
}

bool InvoiceTagValue(const TReportFigures& f, const std::string& tag, std::string& value)
{
    using Value = std::function<QString(const TReportFigures&)>;
    // The tag names in the order they are tested.
    static const std::array<std::pair<const char*, Value>, 28> table{{
        {"Entidad", [](const auto& f) { return f.EntityName; }},
        {"Provincia", [](const auto& f) { return f.EntityProvince; }},
        {"prestamosolicitado", [](const auto& f) { return f.Capital; }},
        {"tipointeres", [](const auto& f) { return f.Interes; }},
        {"plazoamortizacion", [](const auto& f) { return f.anios + QStringLiteral(" años"); }},
        {"cuotamensual", [](const auto& f) { return f.cuotames; }},
        {"cuotaanual", [](const auto& f) { return f.cuotanual; }},
        {"derechosnetos", [](const auto& f) { return f.ITOTAL; }},
        {"obligacionesnetas", [](const auto& f) { return f.GTOTAL; }},
        {"deudaactual", [](const auto& f) { return f.APVTOTAL; }},
        {"deudaacontraer", [](const auto& f) { return f.APPTOTAL.text; }},
        {"deudatotal", [](const auto& f) { return f.CVTOTAL; }},
        {"cargafanterior", [](const auto& f) { return f.CFANTERIOR; }},
        {"euroscfanterior", [](const auto& f) { return f.CFEUR1; }},
        {"cargafnueva", [](const auto& f) { return f.CFNUEVO; }},
        {"euroscfnueva", [](const auto& f) { return f.CFEUR2; }},
        {"cargaftotal", [](const auto& f) { return f.CFTOTAL; }},
        {"euroscftotal", [](const auto& f) { return f.CFEUR3; }},
        {"ahorrobruto", [](const auto& f) { return f.AHORROBRUTO.text; }},
        {"ahorroneto", [](const auto& f) { return f.AHORRONETO.text; }},
        {"sinoahorrobruto", [](const auto& f) { return yesNo(f.AHORROBRUTO.value < 0); }},
        {"sinoahorroneto", [](const auto& f) { return yesNo(f.AHORRONETO.value < 0); }},
        {"signoahorrobruto", [](const auto& f) { return sign(f.AHORROBRUTO.value); }},
        {"signoahorroneto", [](const auto& f) { return sign(f.AHORRONETO.value); }},
        {"porcientoderechos", [](const auto& f) { return f.ITOTAL110.text; }},
        {"tantoporciento", [](const auto& f) { return f.MaxDebtPercentText; }},
        {"mayoromenor", [](const auto& f) { return f.Mayormenor; }},
        {"sinoporciento",
         [](const auto& f) { return yesNo(!(f.ITOTAL110.value >= f.CVTOTAL2.value)); }},
    }};
    for (const auto& [name, valueOf] : table) {
        if (tag == name) {
            value = bytes(valueOf(f));
            return true;
        }
    }
    return false;
}

void RunFullReport(const QString& templatePath, const QString& outputPath,
                   const TTagValueSource& tagValues,
                   const std::function<void(const QString&)>& openDocument)
{
    TDbFreeReporter reporter;
    reporter.OnGetCustomTagValue = tagValues;
    reporter.ProcessTemplate(QFile::encodeName(templatePath).toStdString(),
                             QFile::encodeName(outputPath).toStdString());
    openDocument(outputPath);
}
