/* A plain C program that knows Pelvoran only by its file name and its documented functions, as
 * another program using the library would: it loads it alone, opens the module in slot 0, reads
 * its name and flash record, and releases it. Usage: LoadAlone <path of libPelvoran.so> */

#include <stdint.h>
#include <stdio.h>
#include <string.h>

#pragma pack(push, 4)
typedef struct {
  uint16_t CRC16;
  uint16_t size;
  uint8_t SerialNumber[9];
  uint8_t Name[11];
  uint8_t Revision;
  uint8_t DspType[17];
  uint8_t IsDacPresented;
  uint32_t DspClockout;
  float AdcOffsetCoef[8];
  float AdcScaleCoef[8];
  float DacOffsetCoef[2];
  float DacScaleCoef[2];
  uint8_t ReservedByte[129];
} Flash;
#pragma pack(pop)
_Static_assert(sizeof(Flash) == 260, "the library's aligned flash record");

typedef void* (*CreateFn)(void);
typedef int32_t (*OpenFn)(void*, uint16_t);
typedef int32_t (*NameFn)(void*, char*);
typedef int32_t (*FlashFn)(void*, Flash*);
typedef int32_t (*ReleaseFn)(void*);

static int failures = 0;

static void Check(int ok, const char* what) {
  if (!ok) {
    fprintf(stderr, "FAILED: %s\n", what);
    ++failures;
  }
}

#ifdef _WIN32
#include <windows.h>
typedef HMODULE Library;
static Library Load(const char* path) { return LoadLibraryA(path); }
static void* Symbol(Library library, const char* name) {
  return (void*)GetProcAddress(library, name);
}
static const char* LoadError(void) { return "the system could not load it"; }
#else
#include <dlfcn.h>
typedef void* Library;
static Library Load(const char* path) { return dlopen(path, RTLD_NOW | RTLD_LOCAL); }
static void* Symbol(Library library, const char* name) { return dlsym(library, name); }
static const char* LoadError(void) { return dlerror(); }
#endif

static void* Find(Library library, const char* name) {
  void* f = Symbol(library, name);
  if (f == NULL) fprintf(stderr, "FAILED: %s not found: %s\n", name, LoadError());
  return f;
}

int main(int argc, char** argv) {
  if (argc != 2) {
    fprintf(stderr, "usage: %s <libPelvoran.so>\n", argv[0]);
    return 2;
  }
  Library library = Load(argv[1]);
  if (library == NULL) {
    fprintf(stderr, "FAILED: loading %s: %s\n", argv[1], LoadError());
    return 1;
  }
  CreateFn create = (CreateFn)Find(library, "wrRtCreateInstance_Usb3000");
  OpenFn open = (OpenFn)Find(library, "wrOpenDevice_Usb3000");
  NameFn name = (NameFn)Find(library, "wrGetModuleName_Usb3000");
  FlashFn flash = (FlashFn)Find(library, "wrGET_FLASH_Usb3000");
  ReleaseFn release = (ReleaseFn)Find(library, "wrReleaseDevice_Usb3000");
  if (!create || !open || !name || !flash || !release) return 1;

  void* dev = create();
  Check(dev != NULL, "wrRtCreateInstance_Usb3000 gives an interface");
  if (dev == NULL) return 1;
  Check(open(dev, 0) == 1, "wrOpenDevice_Usb3000(0) is 1");

  char moduleName[32];
  memset(moduleName, 0x5A, sizeof moduleName);
  Check(name(dev, moduleName) == 1, "wrGetModuleName_Usb3000 is 1");
  Check(strcmp(moduleName, "USB3000") == 0, "the module's name is USB3000");

  Flash f;
  memset(&f, 0xAA, sizeof f);
  Check(flash(dev, &f) == 1, "wrGET_FLASH_Usb3000 is 1");
  Check(f.size == 260, "the flash record's size is the aligned 260");
  Check(memcmp(f.Name, "USB3000", 8) == 0, "the flash names the module");
  Check(memcmp(f.SerialNumber, "U0000001", 9) == 0, "the serial number and its NUL");
  Check(f.IsDacPresented == 1, "the DAC is fitted");
  Check(f.AdcOffsetCoef[0] == -3.5f && f.AdcScaleCoef[7] == 0.998f && f.DacScaleCoef[1] == 1.0f,
        "the factory coefficients in their aligned places");

  Check(release(dev) == 1, "wrReleaseDevice_Usb3000 is 1");
  Check(release(dev) == 0, "a released interface refuses further calls");
  if (failures == 0) printf("Pelvoran loaded alone and answered\n");
  return failures == 0 ? 0 : 1;
}
