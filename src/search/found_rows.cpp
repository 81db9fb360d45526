#include "found_rows.h"

#include <cstring>

namespace kestrova {

void FoundRows::add(const RowTexts &row, bool marked)
{
    const QByteArrayView texts[4] = {row.filePath, row.fileType, row.created, row.catalogueFile};
    Head head{row.size, row.modifiedNs, {}, marked};
    size_t bytes = sizeof head;
    for (int i = 0; i < 4; ++i) {
        head.lengths[i] = quint32(texts[i].size());
        bytes += size_t(texts[i].size());
    }
    char *out = m_blocks.take(bytes);
    m_records.push_back(out);
    std::memcpy(out, &head, sizeof head);
    out += sizeof head;
    for (const QByteArrayView text : texts) {
        if (!text.isEmpty())
            std::memcpy(out, text.data(), size_t(text.size()));
        out += text.size();
    }
}

RowTexts FoundRows::row(qsizetype position) const
{
    const char *p = m_records[size_t(position)];
    Head head;
    std::memcpy(&head, p, sizeof head);
    p += sizeof head;
    QByteArrayView texts[4];
    for (int i = 0; i < 4; ++i) {
        texts[i] = QByteArrayView(p, head.lengths[i]);
        p += head.lengths[i];
    }
    return {texts[0], texts[1], texts[2], texts[3], head.size, head.modifiedNs};
}

bool FoundRows::marked(qsizetype position) const
{
    Head head;
    std::memcpy(&head, m_records[size_t(position)], sizeof head);
    return head.marked;
}

void FoundRows::clear()
{
    m_blocks.clear();
    m_records.clear();
    m_records.shrink_to_fit();
}

void FoundRows::reuse()
{
    m_blocks.reuse();
    m_records.clear();
}

} // namespace kestrova
