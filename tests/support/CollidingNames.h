// Message names made to collide: 16 bytes each, all with one hash under the name hash as it is
// written, worked out with no key. Against a keyed hash they are names like any others.
#ifndef KORVELT_TESTS_COLLIDINGNAMES_H
#define KORVELT_TESTS_COLLIDINGNAMES_H

#include <cstddef>
#include <random>
#include <string>
#include <vector>

// bColliding false gives random names of the same length and bytes.
std::vector<std::string> MakeNames(std::size_t nNames, bool bColliding, std::mt19937_64& rng);

#endif
