#include "core/lang/CTranslator.h"

#include "core/lang/TranslationTable.h"

namespace {

const CTranslator::Table& SharedTable() {
    // Built on first use, then shared by every translator for the rest of the run.
    static const CTranslator::Table table = [] {
        CTranslator::Table t;
        for (auto& column : t)
            column.resize(CTranslator::ROW_COUNT);
        for (int i = 0; i < TRANSLATION_ROW_COUNT; ++i) {
            const TRANSLATION_ROW& r = TRANSLATION_ROWS[i];
            if (r.row < 0 || r.row >= CTranslator::ROW_COUNT)
                continue;
            for (int lang = 0; lang < CTranslator::LANGUAGE_COUNT; ++lang)
                t[lang][r.row] = QString::fromUtf8(r.text[lang]);
        }
        return t;
    }();
    return table;
}

const QString& EndMarker() {
    static const QString marker = QStringLiteral("END OF MY DATA");
    return marker;
}

} // namespace

CTranslator::CTranslator() : m_table(&SharedTable()) {}

int CTranslator::FindRow(const QString& text) const {
    const Column& english = (*m_table)[0];
    for (int i = 0; i < ROW_COUNT; ++i) {
        if (english[i] == EndMarker())
            return -1;
        if (english[i] == text)
            return i;
    }
    return -1;
}

void CTranslator::Translate(int language, QString& text) const {
    if (language < 1 || language >= LANGUAGE_COUNT)
        return;
    const int row = FindRow(text);
    if (row >= 0)
        text = (*m_table)[language][row];
}

QString CTranslator::Translated(int language, const QString& text) const {
    QString result = text;
    Translate(language, result);
    return result;
}

QString CTranslator::Cell(int row, int language) const {
    if (row < 0 || row >= ROW_COUNT || language < 0 || language >= LANGUAGE_COUNT)
        return {};
    return (*m_table)[language][row];
}
