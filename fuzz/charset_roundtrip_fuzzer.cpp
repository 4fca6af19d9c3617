// Every byte comes back: any bytes opened in any of the nine character-set
// choices, on a Japanese or a Western system, and saved without an edit give
// the same bytes (RoundTripCheck.h says where the writers' own forms are
// allowed). The first byte picks the choice and the system.
#include "FuzzSupport.h"
#include "RoundTripCheck.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    if (size < 1)
        return 0;
    const CharSetId choice = data[0] % 9;
    const LANGID lang = data[0] & 0x80 ? 0x0409 : 0x0411;
    fuzz::check(roundtrip::problem(fuzz::bytes(data + 1, size - 1), choice, lang).empty());
    return 0;
}
