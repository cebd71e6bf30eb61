// Writes the resource script of the options page and its three rule dialogs
// from the dialog table the models use, so that the ids, texts and sizes
// exist once: WriteDialogScript OUTPUT_FILE. A build tool that runs on the
// build machine.
#include <cstdio>
#include <fstream>

#include "options/DialogResourceScript.h"
#include "options/DialogResources.h"

int main(int argc, char** argv) {
  if (argc != 2) {
    std::fprintf(stderr, "usage: WriteDialogScript OUTPUT_FILE\n");
    return 2;
  }
  std::ofstream out(argv[1], std::ios::binary);
  out << "// Generated from the dialog table of options/; do not edit.\n"
      << skerrow::DialogResourceScript(skerrow::AllDialogResources());
  out.close();
  if (!out) {
    std::fprintf(stderr, "WriteDialogScript: cannot write %s\n", argv[1]);
    return 1;
  }
  return 0;
}
