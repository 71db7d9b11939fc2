#include "file_list_rules.h"

namespace tarvel {

int currentFileAfterRemoval(int removed, int current, int remaining) {
    if (remaining <= 0)
        return -1;
    if (removed < current || (removed == current && current != 0))
        return current - 1;
    return current < remaining ? current : remaining - 1;
}

} // namespace tarvel
