// The texts of result rows, kept compactly: copied into blocks that never move (records that
// point into them can be reordered freely), and, for texts that repeat from row to row (types,
// dates, catalogue names), kept once each in a dictionary that hands out small numbers.
#pragma once

#include "platform/memory/large_blocks.h"

#include <QByteArrayView>

#include <memory>
#include <vector>

namespace kestrova {

class TextBlocks
{
public:
    // A copy of text, valid until clear().
    const char *keep(QByteArrayView text);
    // Room for bytes that never moves, valid until clear().
    char *take(size_t bytes);
    void clear();
    // Forgets every text, keeping the largest block for the texts to come: memory already
    // touched is used again instead of new memory.
    void reuse();

private:
    std::vector<LargeBlock> m_blocks;
    size_t m_used = 0;
    size_t m_size = 0;
};

class TextDictionary
{
public:
    TextDictionary();

    // The number of text, which is kept when it is new.
    quint32 idOf(QByteArrayView text);
    QByteArrayView text(quint32 id) const { return m_texts[id]; }
    quint32 size() const { return quint32(m_texts.size()); }
    void clear();

private:
    quint32 lookUp(QByteArrayView text);
    void grow();

    TextBlocks m_blocks;
    std::vector<QByteArrayView> m_texts;
    std::vector<quint32> m_slots; // one more than the number of the text hashed there; 0: free
    size_t m_salt;
    quint32 m_last = 0; // the number idOf gave last
};

} // namespace kestrova
