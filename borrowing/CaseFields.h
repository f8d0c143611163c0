// One table per record of a case: each field's key in case files (and the loans' CSV columns),
// its member, kind, bounds, report tag and label, in the order files list them.
#pragma once

#include "Case.h"

#include <array>

namespace borrowing {

// Where a case file keeps each record, and what it says it is.
namespace keys {
inline constexpr const char* Format = "formato";
inline constexpr const char* FormatName = "endeudamiento-caso";
inline constexpr const char* Version = "version";
inline constexpr const char* EntityData = "entidad";
inline constexpr const char* Limit = "limite";
inline constexpr const char* Figures = "importes";
inline constexpr const char* PlannedLoan = "calculadora";
inline constexpr const char* Evolution = "evolucion";
inline constexpr const char* Dossier = "expediente";
inline constexpr const char* Loans = "prestamos_vigentes";
inline constexpr const char* Entities = "entidades_dependientes";
inline constexpr const char* Plan = "plan_saneamiento";
inline constexpr const char* Measures = "medidas";
} // namespace keys

// The entity's name and province, kept under keys::EntityData.
inline constexpr std::array<Field<Case>, 2> EntityDataFields{{
    {.key = "nombre", .kind = FieldKind::Text, .text = &Case::entityName, .required = false},
    {.key = "provincia", .kind = FieldKind::Text, .text = &Case::entityProvince, .required = false},
}};

using FigureField = Field<Figures>;
using PlannedLoanField = Field<PlannedLoan>;
using LoanField = Field<Loan>;
using EntityField = Field<DependentEntity>;
using DossierField = Field<Dossier>;

// The adjustments only add to or take from what they adjust: none is negative.
// The settlement's figures budget stability needs are written only once given, so that older
// cases save as they did.
inline constexpr std::array<FigureField, 25> FigureFields{{
    {.key = "ICAP1", .amount = &Figures::revenueI},
    {.key = "ICAP2", .amount = &Figures::revenueII},
    {.key = "ICAP3", .amount = &Figures::revenueIII},
    {.key = "ICAP4", .amount = &Figures::revenueIV},
    {.key = "ICAP5", .amount = &Figures::revenueV},
    {.key = "GCAP1", .amount = &Figures::expenditureI},
    {.key = "GCAP2", .amount = &Figures::expenditureII},
    {.key = "GCAP4", .amount = &Figures::expenditureIV},
    {.key = "CVPEX", .amount = &Figures::existingCapital},
    {.key = "CVOTEX", .amount = &Figures::treasuryOperations},
    {.key = "APVTOTAL", .amount = &Figures::existingAnnuity, .tag = "deudaactual"},
    {.key = "APPTOTAL", .amount = &Figures::plannedAnnuity, .tag = "deudaacontraer"},
    {.key = "CTPN", .amount = &Figures::plannedCapital},
    {.key = "AJINGEXT",
     .amount = &Figures::earmarkedRevenue,
     .bounds = NotNegative,
     .tag = "ajusteingresos"},
    {.key = "AJGASREM",
     .amount = &Figures::surplusFinancedExpenditure,
     .bounds = NotNegative,
     .tag = "ajustegastos"},
    {.key = "AJAVALES",
     .amount = &Figures::guarantees,
     .bounds = NotNegative,
     .tag = "ajusteavales"},
    {.key = "AJNODISP",
     .amount = &Figures::undrawnBalances,
     .bounds = NotNegative,
     .tag = "ajustenodispuestos"},
    {.key = "ICAP6",
     .amount = &Figures::revenueVI,
     .tag = "derechoscap6",
     .label = "Derechos reconocidos netos, cap. VI:",
     .required = false},
    {.key = "ICAP7",
     .amount = &Figures::revenueVII,
     .tag = "derechoscap7",
     .label = "Derechos reconocidos netos, cap. VII:",
     .required = false},
    {.key = "GCAP3",
     .amount = &Figures::expenditureIII,
     .tag = "obligacionescap3",
     .label = "Obligaciones reconocidas netas, cap. III:",
     .required = false},
    {.key = "GCAP6",
     .amount = &Figures::expenditureVI,
     .tag = "obligacionescap6",
     .label = "Obligaciones reconocidas netas, cap. VI:",
     .required = false},
    {.key = "GCAP7",
     .amount = &Figures::expenditureVII,
     .tag = "obligacionescap7",
     .label = "Obligaciones reconocidas netas, cap. VII:",
     .required = false},
    {.key = "RECAUDA",
     .amount = &Figures::collections,
     .tag = "recaudacion",
     .label = "Recaudación de los cap. I a III (corriente y cerrados):",
     .required = false},
    {.key = "AJSEC",
     .amount = &Figures::otherAdjustments,
     .tag = "otrosajustes",
     .label = "Otros ajustes en contabilidad nacional:",
     .required = false},
    {.key = "RTGG",
     .amount = &Figures::cashSurplus,
     .tag = "remanente",
     .label = "Remanente de tesorería para gastos generales:",
     .required = false},
}};

// The loan calculator's inputs.
inline constexpr std::array<PlannedLoanField, 5> PlannedLoanFields{{
    {.key = "Capital", .amount = &PlannedLoan::capital, .tag = "prestamosolicitado"},
    {.key = "Interes",
     .kind = FieldKind::Percent,
     .amount = &PlannedLoan::rate,
     .bounds = Percentage,
     .tag = "tipointeres"},
    {.key = "anios",
     .kind = FieldKind::Years,
     .amount = &PlannedLoan::years,
     .decimals = YearsDecimals,
     .bounds = {0, LargestYears}},
    {.key = "aceptada", .kind = FieldKind::Flag, .flag = &PlannedLoan::accepted},
    {.key = "tipomaximo",
     .kind = FieldKind::Percent,
     .amount = &PlannedLoan::maximumRate,
     .bounds = Percentage},
}};

// What the projection of the years ahead is given.
inline constexpr std::array<Field<Evolution>, 1> EvolutionFields{{
    {.key = "crecimiento",
     .kind = FieldKind::Percent,
     .amount = &Evolution::growth,
     .bounds = {-LargestGrowth, LargestGrowth},
     .tag = "plancrecimientoingresos",
     .label = "Crecimiento anual de los ingresos corrientes (%):"},
}};

// Kinds of loans, in LoanKind's order.
inline constexpr std::array<ChoiceWord, 3> LoanKindWords{
    {{"propio"}, {"avalado", "avalado a terceros"}, {"corto", "corto plazo"}}};

// A loan of the register. The first four are what every file has; a loan's kind, share,
// mortgage and holder are written only where they are not an own loan's.
inline constexpr std::array<LoanField, 8> LoanFields{{
    {.key = "entidad",
     .kind = FieldKind::Text,
     .text = &Loan::lender,
     .label = "Entidad financiera"},
    {.key = "capital",
     .amount = &Loan::capital,
     .bounds = NotNegative,
     .label = "Capital pendiente"},
    {.key = "interes",
     .kind = FieldKind::Percent,
     .amount = &Loan::rate,
     .bounds = Percentage,
     .label = "Interés (%)"},
    // Some time left: at least half a month, which counts as one. Shown as typed, to the
    // hundredth of a year.
    {.key = "anios",
     .kind = FieldKind::Years,
     .amount = &Loan::years,
     .decimals = AmountDecimals,
     .bounds = {0, LargestYears, false},
     .label = "Años pendientes"},
    {.key = "tipo",
     .kind = FieldKind::Choice,
     .words = LoanKindWords,
     .choice = [](const Loan& l) { return static_cast<int>(l.kind); },
     .setChoice = [](Loan& l, int kind) { l.kind = static_cast<LoanKind>(kind); },
     .label = "Tipo",
     .required = false},
    {.key = "aval",
     .kind = FieldKind::Percent,
     .amount = &Loan::guaranteedShare,
     .bounds = {0, 100, false},
     .label = "Aval (%)",
     .required = false,
     .applies = [](const Loan& l) { return l.kind == LoanKind::Guaranteed; }},
    {.key = "hipoteca",
     .amount = &Loan::mortgaged,
     .bounds = NotNegative,
     .label = "Garantía hipotecaria",
     .required = false,
     .applies = [](const Loan& l) { return l.kind != LoanKind::ShortTerm; }},
    {.key = "titular",
     .kind = FieldKind::Text,
     .text = &Loan::holder,
     .label = "Titular",
     .required = false},
}};

// Kinds of dependent entities, in EntityKind's order.
inline constexpr std::array<ChoiceWord, 2> EntityKindWords{{{"administrativa"}, {"mercado"}}};

// A dependent entity: its expenditure or its result, as its kind accounts.
inline constexpr std::array<EntityField, 6> EntityFields{{
    {.key = "nombre", .kind = FieldKind::Text, .text = &DependentEntity::name, .label = "Entidad"},
    {.key = "tipo",
     .kind = FieldKind::Choice,
     .words = EntityKindWords,
     .choice = [](const DependentEntity& e) { return static_cast<int>(e.kind); },
     .setChoice = [](DependentEntity& e, int kind) { e.kind = static_cast<EntityKind>(kind); },
     .label = "Tipo"},
    {.key = "ingresos",
     .amount = &DependentEntity::revenue,
     .bounds = NotNegative,
     .label = "Ingresos corrientes"},
    // A company's result may be negative; an administrative body's spending may not.
    {.key = "gastos",
     .amount = &DependentEntity::expenditure,
     .bounds = NotNegative,
     .label = "Gastos corrientes",
     .applies = [](const DependentEntity& e) { return e.kind == EntityKind::Administrative; }},
    {.key = "resultado",
     .amount = &DependentEntity::result,
     .label = "Resultado",
     .applies = [](const DependentEntity& e) { return e.kind == EntityKind::Market; }},
    {.key = "transferencias",
     .amount = &DependentEntity::transfers,
     .bounds = NotNegative,
     .label = "Transferencias internas"},
}};

inline constexpr std::array<ChoiceWord, 2> PurposeWords{{{"inversiones"}, {"sustitucion"}}};
inline constexpr std::array<ChoiceWord, 2> BudgetWords{{{"aprobado"}, {"prorrogado"}}};

// What the Intervención's report states beyond the figures; each field is its own tag.
inline constexpr std::array<DossierField, 9> DossierFields{{
    {.key = "objeto", .kind = FieldKind::Text, .text = &Dossier::subject, .tag = "objeto"},
    {.key = "finalidad",
     .kind = FieldKind::Choice,
     .words = PurposeWords,
     .choice = [](const Dossier& d) { return static_cast<int>(d.purpose); },
     .setChoice = [](Dossier& d, int purpose) { d.purpose = static_cast<Purpose>(purpose); },
     .tag = "finalidad"},
    {.key = "presupuesto",
     .kind = FieldKind::Choice,
     .words = BudgetWords,
     .choice = [](const Dossier& d) { return static_cast<int>(d.budget); },
     .setChoice = [](Dossier& d, int budget) { d.budget = static_cast<BudgetState>(budget); },
     .tag = "presupuesto"},
    {.key = "prevista", .kind = FieldKind::Flag, .flag = &Dossier::foreseen, .tag = "prevista"},
    {.key = "recursos",
     .amount = &Dossier::ordinaryResources,
     .bounds = NotNegative,
     .tag = "recursos"},
    {.key = "concertadas",
     .amount = &Dossier::arrangedThisYear,
     .bounds = NotNegative,
     .tag = "concertadas"},
    {.key = "pmp", .amount = &Dossier::paymentPeriod, .bounds = NotNegative, .tag = "pmp"},
    {.key = "interventor",
     .kind = FieldKind::Text,
     .text = &Dossier::controller,
     .tag = "interventor"},
    {.key = "lugar", .kind = FieldKind::Text, .text = &Dossier::place, .tag = "lugar"},
}};

// A financial recovery plan, kept under keys::Plan; written only when it is not a new one.
inline constexpr std::array<Field<RecoveryPlan>, 2> PlanFields{{
    {.key = "anios",
     .kind = FieldKind::Years,
     .amount = &RecoveryPlan::years,
     .decimals = YearsDecimals,
     .bounds = {1, LongestPlanYears},
     .tag = "plananios",
     .label = "Años del plan:"},
    {.key = "crecimiento_gastos",
     .kind = FieldKind::Percent,
     .amount = &RecoveryPlan::spendingGrowth,
     .bounds = {-LargestGrowth, LargestGrowth},
     .tag = "plancrecimientogastos",
     .label = "Crecimiento anual de los gastos corrientes (%):"},
}};
// A year's measures of the plan, a row of its table.
inline constexpr std::array<Field<PlanMeasures>, 2> MeasureFields{{
    {.key = "ingresos",
     .amount = &PlanMeasures::revenue,
     .bounds = NotNegative,
     .label = "Ingresos (€)"},
    {.key = "gastos",
     .amount = &PlanMeasures::spending,
     .bounds = NotNegative,
     .label = "Gastos (€)"},
}};

// The expenditure rule's options: "sin datos" is what a case says until it is given, and is not
// written; older cases wrote true and false, read as "cumple" and "incumple".
inline constexpr std::array<ChoiceWord, 3> SpendingRuleWords{
    {{"sin datos"}, {"cumple"}, {"incumple"}}};

// What budget stability is stated with beyond the figures, kept with the dossier.
inline constexpr std::array<Field<Stability>, 2> StabilityFields{{
    {.key = "reglagasto",
     .kind = FieldKind::Choice,
     .words = SpendingRuleWords,
     .choice = [](const Stability& s) { return static_cast<int>(s.rule); },
     .setChoice = [](Stability& s, int rule) { s.rule = static_cast<SpendingRule>(rule); },
     .tag = "reglagasto",
     .label = "Regla de gasto:",
     .required = false,
     .readsFlags = true},
    // Written while it stands, that is while it was given.
    {.key = "estabilidad", .amount = &Stability::givenCapacity, .required = false},
}};

} // namespace borrowing
