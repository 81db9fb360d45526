#include "result_texts.h"

#include <QHashFunctions>
#include <QRandomGenerator>

#include <algorithm>
#include <cstring>

namespace kestrova {
namespace {
// Blocks grow from small to large: a table of a few rows stays small, a large one takes few blocks.
constexpr size_t kFirstBlockBytes = 4 << 10;
constexpr size_t kLargestBlockBytes = 4 << 20;
constexpr size_t kFirstSlots = 64;
} // namespace

const char *TextBlocks::keep(QByteArrayView text)
{
    const size_t bytes = size_t(text.size());
    char *out = take(bytes);
    if (bytes > 0)
        std::memcpy(out, text.data(), bytes);
    return out;
}

char *TextBlocks::take(size_t bytes)
{
    if (m_blocks.empty() || m_used + bytes > m_size) {
        m_size = std::max(std::clamp(m_size * 2, kFirstBlockBytes, kLargestBlockBytes), bytes);
        m_blocks.push_back(takeLargeBlock(m_size));
        m_used = 0;
    }
    char *out = m_blocks.back().get() + m_used;
    m_used += bytes;
    return out;
}

void TextBlocks::clear()
{
    m_blocks.clear();
    m_used = m_size = 0;
}

void TextBlocks::reuse()
{
    // Blocks grow, so the last one is the largest.
    if (m_blocks.size() > 1)
        m_blocks.erase(m_blocks.begin(), m_blocks.end() - 1);
    m_used = 0;
}

// The hash's salt differs from dictionary to dictionary, so that no catalogue can be written
// to make the texts of its lines collide.
TextDictionary::TextDictionary() : m_slots(kFirstSlots), m_salt(QRandomGenerator::global()->generate64())
{
}

quint32 TextDictionary::idOf(QByteArrayView text)
{
    // Rows come in runs of one text (a catalogue's name, the type of a folder's files): the text
    // before is tried first, without hashing.
    if (m_last < m_texts.size() && m_texts[m_last] == text)
        return m_last;
    m_last = lookUp(text);
    return m_last;
}

quint32 TextDictionary::lookUp(QByteArrayView text)
{
    const size_t mask = m_slots.size() - 1;
    size_t slot = qHash(text, m_salt) & mask;
    for (; m_slots[slot] != 0; slot = (slot + 1) & mask) {
        if (m_texts[m_slots[slot] - 1] == text)
            return m_slots[slot] - 1;
    }
    const auto id = quint32(m_texts.size());
    m_texts.emplace_back(m_blocks.keep(text), text.size());
    m_slots[slot] = id + 1;
    if (m_texts.size() * 2 > m_slots.size())
        grow();
    return id;
}

// Twice the slots, every text hashed anew: at most half of them are ever taken.
void TextDictionary::grow()
{
    m_slots.assign(m_slots.size() * 2, 0);
    const size_t mask = m_slots.size() - 1;
    for (size_t id = 0; id < m_texts.size(); ++id) {
        size_t slot = qHash(m_texts[id], m_salt) & mask;
        while (m_slots[slot] != 0)
            slot = (slot + 1) & mask;
        m_slots[slot] = quint32(id + 1);
    }
}

void TextDictionary::clear()
{
    m_blocks.clear();
    m_texts.clear();
    m_texts.shrink_to_fit();
    m_slots.assign(kFirstSlots, 0);
    m_last = 0;
}

} // namespace kestrova
