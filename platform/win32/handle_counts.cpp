#include "platform/win32/handle_counts.h"

namespace kestrow::win32 {

HandleCounts& handleCounts()
{
    static HandleCounts counts;
    return counts;
}

}  // namespace kestrow::win32
