// The integer test of the debt limit and the question sequences of the entity data.
#include "EntityData.h"

#include "Messages.h"
#include "QStringPrinter.h"

#include <gtest/gtest.h>

#include <deque>
#include <optional>
#include <vector>

using namespace app;

using namespace Qt::StringLiterals;

namespace {

// Answers questions from a script; an empty entry stands for "Cancel".
class ScriptedPrompter
{
public:
    struct Question
    {
        QString title, prompt, proposed;
    };

    explicit ScriptedPrompter(std::deque<std::optional<QString>> answers)
        : m_answers(std::move(answers))
    {
    }

    Prompter prompter()
    {
        return [this](const QString& title, const QString& prompt, const QString& proposed) {
            questions.push_back({title, prompt, proposed});
            if (m_answers.empty()) {
                ADD_FAILURE() << "unexpected question " << prompt.toStdString();
                return u"stop"_s;
            }
            const std::optional<QString> answer = m_answers.front();
            m_answers.pop_front();
            return answer.value_or(proposed);
        };
    }

    std::vector<QString> proposals() const
    {
        std::vector<QString> result;
        for (const auto& q : questions)
            result.push_back(q.proposed);
        return result;
    }

    bool allAnswered() const { return m_answers.empty(); }

    std::vector<Question> questions;

private:
    std::deque<std::optional<QString>> m_answers;
};

const QString NamePlaceholder = u"Ponga aquí el nombre de la Entidad"_s;
const QString ProvincePlaceholder = u"Ponga aquí la provincia de la Entidad"_s;
const std::optional<QString> Cancel;

TEST(ensureEntityData, asksAgainForThePlaceholderOrCancel)
{
    EntityData entity;
    ScriptedPrompter script({Cancel, NamePlaceholder, u"Villa"_s, u"Soria"_s});
    ensureEntityData(entity, script.prompter());
    EXPECT_EQ(entity.name, u"Villa");
    EXPECT_EQ(entity.province, u"Soria");
    ASSERT_EQ(script.questions.size(), 4u);
    EXPECT_EQ(script.questions[0].title, u"Datos de la Entidad Local Solicitante");
    EXPECT_EQ(script.questions[0].prompt, u"Nombre: ");
    EXPECT_EQ(script.questions[3].prompt, u"Provincia: ");
    EXPECT_EQ(script.proposals(), (std::vector<QString>{NamePlaceholder, NamePlaceholder,
                                                        NamePlaceholder, ProvincePlaceholder}));
}

TEST(ensureEntityData, emptyAnswerEndsTheLoopAndIsAskedNextTime)
{
    EntityData entity;
    ScriptedPrompter first({QString(), u"Soria"_s});
    ensureEntityData(entity, first.prompter());
    EXPECT_TRUE(entity.name.isEmpty());

    ScriptedPrompter second({u"Villa"_s});
    ensureEntityData(entity, second.prompter());
    EXPECT_EQ(entity.name, u"Villa");
    EXPECT_EQ(second.questions.size(), 1u);
}

TEST(ensureEntityData, asksNothingWhenBothArePresent)
{
    EntityData entity{u"Villa"_s, u"Soria"_s};
    ScriptedPrompter script({});
    ensureEntityData(entity, script.prompter());
    EXPECT_TRUE(script.questions.empty());
}

TEST(editEntityData, asksOnceForPresentValuesAndStoresAnyAnswer)
{
    EntityData entity{u"Villa"_s, u"Soria"_s};
    ScriptedPrompter script({NamePlaceholder, Cancel});
    editEntityData(entity, script.prompter());
    EXPECT_EQ(script.proposals(), (std::vector<QString>{u"Villa"_s, u"Soria"_s}));
    EXPECT_EQ(entity.name, NamePlaceholder);
    EXPECT_EQ(entity.province, u"Soria");

    ScriptedPrompter next({u"Villa Nueva"_s});
    ensureEntityData(entity, next.prompter());
    EXPECT_EQ(next.proposals(), (std::vector<QString>{NamePlaceholder}));
    EXPECT_EQ(entity.name, u"Villa Nueva");
}

TEST(editEntityData, loopsForMissingValues)
{
    EntityData entity{QString(), u"Soria"_s};
    ScriptedPrompter script({Cancel, u"Villa"_s, QString()});
    editEntityData(entity, script.prompter());
    EXPECT_EQ(entity.name, u"Villa");
    EXPECT_TRUE(entity.province.isEmpty());
    EXPECT_TRUE(script.allAnswered());
}

TEST(askMaxDebtPercent, fromTheToolBarProposesTheRefusedAnswer)
{
    EntityData entity;
    ScriptedPrompter script({u"abc"_s, u"110,5"_s, u"110 "_s, QString(), u"120"_s});
    askMaxDebtPercent(entity, script.prompter(), std::nullopt);
    EXPECT_EQ(script.proposals(),
              (std::vector<QString>{u"0"_s, u"abc"_s, u"110,5"_s, u"110 "_s, QString()}));
    EXPECT_EQ(script.questions[0].title, u"Porcentaje máximo de endeudamiento");
    EXPECT_EQ(script.questions[0].prompt, u"% endeudamiento");
    EXPECT_EQ(entity.maxDebtPercentText, u"120");
    EXPECT_EQ(entity.maxDebtPercent, 120);
}

TEST(askMaxDebtPercent, fromTheCalculationAlwaysProposes110)
{
    EntityData entity;
    ScriptedPrompter script({u"abc"_s, Cancel});
    askMaxDebtPercent(entity, script.prompter(), u"110"_s);
    EXPECT_EQ(script.proposals(), (std::vector<QString>{u"110"_s, u"110"_s}));
    EXPECT_EQ(entity.maxDebtPercent, 110);
}

TEST(askMaxDebtPercent, keepsTheTextAsTyped)
{
    EntityData entity;
    ScriptedPrompter script({u"$6E"_s});
    askMaxDebtPercent(entity, script.prompter(), std::nullopt);
    EXPECT_EQ(entity.maxDebtPercent, 110);
    EXPECT_EQ(reports::limitCaption(entity.maxDebtPercentText),
              u"$6E% Derechos Rec. frente a Capitales Vivos");
}

} // namespace
