#pragma once

#include "core/model/design.h"

#include <cstddef>
#include <cstdint>
#include <memory>
#include <string>
#include <vector>

namespace vapbench {

/**
 * Fills an empty design with `controls` controls of all six kinds in turn, with varied names,
 * captions, hints, bounds and event masks (0 to 31), through the creation routines and the
 * design's setters. The same count and seed always give the same design.
 */
void fillDesign(vap::Design& design, int controls, std::uint64_t seed = 20240517);

/**
 * The same filling through the palette's path: each control is made with the listing switch on
 * (named and listed at once) and then renamed. Used only to time that path.
 */
void fillDesignListed(vap::Design& design, int controls, std::uint64_t seed = 20240517);

/** A folder of its own under the system's temporary folder, removed with everything in it. */
class ScratchDir {
public:
    ScratchDir();
    ~ScratchDir();
    ScratchDir(const ScratchDir&) = delete;
    ScratchDir& operator=(const ScratchDir&) = delete;

    std::string file(const std::string& name) const;

private:
    std::string path_;
};

/** A filled design with the byte counts of its outputs, built once per size. */
struct BenchDesign {
    int controls = 0;
    std::unique_ptr<vap::Design> design;
    std::vector<std::string> names; // in creation order
    std::size_t javaBytes = 0;      // window-objects text: line lengths plus CR LF per line
    std::size_t javaLines = 0;
    std::string vapPath; // the design saved once by GravaJanela
    std::size_t vapBytes = 0;
};

/** The design of that size, built and saved on first use. */
const BenchDesign& benchDesign(int controls);

/** The scratch folder of this run. */
const ScratchDir& scratch();

/** The bytes of the window-objects text as the code window holds them: CR LF after each line. */
std::size_t textBytes(const std::vector<std::string>& lines);

} // namespace vapbench
