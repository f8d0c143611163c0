// A field of a record of the case, as one row of that record's table: the key files give it,
// the member that holds it, its kind, the values it may take, the report's tag and its label.
#include "Field.h"

namespace borrowing {

std::optional<int> choiceNamed(ChoiceWords words, QStringView text)
{
    const QStringView named = text.trimmed();
    for (std::size_t i = 0; i < words.size(); ++i) {
        for (const char* word : {words[i].word, words[i].alsoRead}) {
            if (word && named.compare(QString::fromUtf8(word), Qt::CaseInsensitive) == 0)
                return static_cast<int>(i);
        }
    }
    return std::nullopt;
}

} // namespace borrowing
