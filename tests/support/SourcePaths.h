#pragma once
// Folders of the source tree and files of the build that tests and benchmarks read. They are
// defined in one generated source file of the build folder, so that the compile commands of
// the test programs name no folder of the checkout (the compiler cache then shares their
// objects between clones).

namespace morvek::test {

// data/DefaultData of the source tree.
const char* SourceDataDir();
// data/skin of the source tree.
const char* SourceSkinDir();
// packaging/linux of the source tree (udev rule, desktop entry, AppStream metainfo).
const char* SourcePackagingDir();
// The built audio configuration library (bin/SDK/libosConfLib.so).
const char* AudioLibraryPath();
// The local HTTPS update service the update tests start (update_server.py).
const char* UpdateServerScript();

}  // namespace morvek::test
