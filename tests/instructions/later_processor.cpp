// Never run: a program for the instruction check, with four instructions
// the Pentium lacks and the bytes of a fifth as data in the code section.

// Placed in .text by the linker, as exception tables are: cmove eax, ecx.
__attribute__((section(".gcc_except_table")))
const unsigned char kData[] = {0x0f, 0x44, 0xc1};

int main() {
  asm volatile("cmove %%ecx, %%eax" ::: "eax", "ecx");  // Pentium Pro
  asm volatile("fucomi %%st(1), %%st" ::: "cc");        // Pentium Pro
  asm volatile(".byte 0x0f, 0x1f, 0x00");               // nop dword [eax]
  asm volatile("movd %%eax, %%mm0" ::: "eax");          // MMX
  return *static_cast<const volatile unsigned char*>(kData);
}
