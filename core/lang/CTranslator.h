// CTranslator: turns an English text into its French, German, Spanish or Italian
// counterpart through the fixed 400-row table of the five languages.
//
// The table itself is built once per process and shared read-only by every translator,
// so constructing a CTranslator costs one pointer. Lookup is a linear scan from row 0:
// the first row whose English cell equals the text exactly wins, and the scan stops at
// the English end marker "END OF MY DATA".
#pragma once

#include <QString>
#include <array>
#include <vector>

class CTranslator {
public:
    static constexpr int ROW_COUNT = 400;
    static constexpr int LANGUAGE_COUNT = 5;
    static constexpr int END_ROW = 399;

    CTranslator();

    // Replaces text by its counterpart in the given language (0 English ... 4 Italian).
    // Language 0, a language outside 0 to 4 and a text with no row leave text unchanged.
    void Translate(int language, QString& text) const;

    // Convenience: the translation of text in the given language.
    QString Translated(int language, const QString& text) const;

    // The cell of one row and language; empty for unfilled rows and out-of-range indices.
    QString Cell(int row, int language) const;

    // The row that Translate would use for text, or -1 when no row matches.
    int FindRow(const QString& text) const;

    using Column = std::vector<QString>;
    using Table = std::array<Column, LANGUAGE_COUNT>;

private:
    const Table* m_table;
};
