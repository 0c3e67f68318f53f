// How the launcher's pointer arrays grow when an entry no longer fits.
#pragma once

// An eighth of the current count, at least 4 and at most 1024 entries at a time.
inline long GrowthStep(long count) {
    long step = count / 8;
    if (step < 4)
        return 4;
    return step > 1024 ? 1024 : step;
}
