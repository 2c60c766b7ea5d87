// Any UTF-16 text: the cleaning keeps exactly its basic Latin letters, in order.
#include "generator.h"

#include <cstdint>
#include <cstdlib>
#include <cstring>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    QString text(qsizetype(size / 2), Qt::Uninitialized);
    std::memcpy(text.data(), data, size / 2 * 2);
    QString letters;
    for (QChar c : text)
        if ((c >= u'A' && c <= u'Z') || (c >= u'a' && c <= u'z'))
            letters += c;
    if (Generator::Stringbereinigen(text) != letters)
        std::abort();
    return 0;
}
