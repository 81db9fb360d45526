// Takes a catalogue's bytes as something else reads or writes them, in order from its start,
// and hears when they are all there: how a search index is built in the same pass as a
// search's reading or the generation's writing.
#pragma once

#include <QByteArrayView>

namespace kestrova {

class CatalogueTap
{
public:
    virtual ~CatalogueTap() = default;
    // The catalogue's next bytes.
    virtual void feed(QByteArrayView bytes) = 0;
    // The catalogue's bytes were all fed and it is complete; false when nothing was kept.
    virtual bool finish() = 0;
};

} // namespace kestrova
