#include "app/start_program.h"

int main() {
  quillory::StartProgram();
  return 0;
}
