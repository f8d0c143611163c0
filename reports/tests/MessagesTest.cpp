// The windows' texts that depend on their arguments: counts in the singular or plural, years
// ahead in words or figures, names quoted or escaped, parts left out when empty.
#include "Messages.h"

#include "QStringPrinter.h"
#include "Wording.h"

#include <gtest/gtest.h>

using namespace Qt::StringLiterals;
using namespace reports;

namespace {

// The sentence of a projection that stays above the limit for `years` years.
QString notFallingWithin(int years)
{
    borrowing::Projection projection;
    projection.years.resize(static_cast<std::size_t>(years));
    return projectionSentence(projection);
}

struct Case
{
    const char* name;
    QString text;
    QString expected;
};

TEST(Messages, followTheirArguments)
{
    const Case cases[] = {
        {"one loan", entityRemovalQuestion(u"Aguas de Villa"_s, 1),
         u"La entidad Aguas de Villa tiene 1 préstamo. ¿Eliminarla junto con su préstamo?"_s},
        {"three loans", entityRemovalQuestion(u"Aguas de Villa"_s, 3),
         u"La entidad Aguas de Villa tiene 3 préstamos. ¿Eliminarla junto con sus préstamos?"_s},
        {"a name with place markers keeps them", entityRemovalQuestion(u"Consorcio %1 %2"_s, 2),
         u"La entidad Consorcio %1 %2 tiene 2 préstamos. ¿Eliminarla junto con sus préstamos?"_s},

        {"no years", chartDescription(0, false), u"Sin datos de la evolución de la deuda"_s},
        {"today alone is no evolution", chartDescription(0, true),
         u"Sin datos de la evolución de la deuda"_s},
        {"one year", chartDescription(1, false), u"Capital vivo y endeudamiento del próximo año"_s},
        {"today and one year", chartDescription(1, true),
         u"Capital vivo y endeudamiento actuales y del próximo año"_s},
        {"ten years in figures", chartDescription(10, false),
         u"Capital vivo y endeudamiento de los próximos 10 años"_s},
        {"today and two years", chartDescription(2, true),
         u"Capital vivo y endeudamiento actuales y de los próximos 2 años"_s},

        {"the sentence's one year", notFallingWithin(1), u"No baja del 75 % en el próximo año."_s},
        {"the sentence's ten years in words", notFallingWithin(10),
         u"No baja del 75 % en los próximos diez años."_s},
        {"the sentence's twelve years in words", notFallingWithin(12),
         u"No baja del 75 % en los próximos doce años."_s},
        {"the sentence's thirteen years in figures", notFallingWithin(13),
         u"No baja del 75 % en los próximos 13 años."_s},

        {"replace quotes the name", replaceQuestion(u"caso 2024.endeudamiento"_s),
         u"\"caso 2024.endeudamiento\" ya existe. ¿Desea reemplazarlo?"_s},
        {"overwrite quotes the name", overwriteQuestion(u"Sin título"_s),
         u"\"Sin título\" ha cambiado en el disco desde que se abrió. ¿Desea sobrescribirlo?"_s},
        {"save quotes the name", saveChangesQuestion(u"caso.endeudamiento"_s),
         u"¿Desea guardar los cambios de \"caso.endeudamiento\"?"_s},
        {"importing quotes the name", importingText(u"préstamos %1.csv"_s),
         u"Importando \"préstamos %1.csv\"…"_s},
        {"recent case", recentCaseEntry(3, u"caso.endeudamiento"_s), u"&3 caso.endeudamiento"_s},
        {"a recent case's \"&\" is shown", recentCaseEntry(1, u"Pérez & Hijos.endeudamiento"_s),
         u"&1 Pérez && Hijos.endeudamiento"_s},

        {"gauge with ratio and outcome",
         gaugeDescription(u"82,50 %"_s, u"No puede concertarse: ahorro neto negativo"_s),
         u"Endeudamiento: 82,50 %. No puede concertarse: ahorro neto negativo"_s},
        {"gauge without outcome", gaugeDescription(u"82,50 %"_s, QString()),
         u"Endeudamiento: 82,50 %."_s},
        {"gauge without ratio", gaugeDescription(QString(), u"Sin datos"_s), u"Sin datos"_s},
        {"gauge without either", gaugeDescription(QString(), QString()), QString()},

        {"capital in millions", capitalLegend(amountUnitText(1e6L)),
         u"Capital vivo (millones de €)"_s},
        {"capital in thousands", capitalLegend(amountUnitText(1e3L)),
         u"Capital vivo (miles de €)"_s},
        {"capital in euros", capitalLegend(amountUnitText(1)), u"Capital vivo (€)"_s},
    };
    for (const Case& c : cases)
        EXPECT_EQ(c.text, c.expected) << c.name;
}

} // namespace
