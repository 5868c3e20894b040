// Profiles: the parameters a chip should have, in a file a person can read
// and keep in version control. Either NAME=VALUE lines, as dump prints them
// (blank lines and # comments allowed, names as set accepts them), or the
// JSON object dump --json prints.
#pragma once

#include <string>
#include <vector>

#include "tools/ctl_assignment.h"

// Reads the profile at `path` and checks every assignment as set checks
// its arguments (ranges unless `clamp`), and that no line is undone by a
// later one (the same parameter, or the same flag under its other name,
// with another value). False with `error` as "FILE:LINE: problem".
bool LoadProfile(const std::string& path, bool clamp, std::vector<Assignment>& assignments,
                 std::string& error);
