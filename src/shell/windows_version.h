#pragma once
// The version of the running Windows as major × 256 + minor (6.1 gives
// 0x0601). Taken from the kernel's own record, since the ordinary version
// query reports an older version to a program whose manifest does not list
// the running system.
namespace orv {

int QueryWindowsVersion();

}  // namespace orv
