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
// The built audio configuration library (bin/SDK/libosConfLib.so).
const char* AudioLibraryPath();
// The local HTTPS update service the update tests start (update_server.py).
const char* UpdateServerScript();

}  // namespace morvek::test
