# The whole set-up on a fresh Debian machine: `make run` or `make test`.
BUILD ?= build
JOBS ?= $(shell nproc)
CMAKE_FLAGS ?= -DCMAKE_BUILD_TYPE=RelWithDebInfo

.PHONY: all deps configure build run test dll windows clean

all: build

deps:
	@scripts/install-deps

configure: deps
	@cmake -S . -B $(BUILD) -G Ninja $(CMAKE_FLAGS) >/dev/null

build: configure
	@cmake --build $(BUILD) -j $(JOBS)

test: build
	@ctest --test-dir $(BUILD) --output-on-failure -j $(JOBS) --timeout 300

# The program runs in a working folder of its own, so that config.cfg and saved data never land in
# the source tree. A fresh folder starts with the settings of a new installation (app/config.cfg);
# after that the program keeps its own.
run: build
	@mkdir -p $(BUILD)/run
	@test -f $(BUILD)/run/config.cfg || cp app/config.cfg $(BUILD)/run/config.cfg
	@cd $(BUILD)/run && ../app/quev

# Pelvoran.dll for 32-bit Windows, cross-compiled, with its export table checked.
dll:
	@scripts/install-deps g++-mingw-w64-i686-posix
	@scripts/build-dll $(BUILD)/dll >/dev/null
	@scripts/check-dll-exports $(BUILD)/dll/bin/Pelvoran.dll

# Windows, cross-compiled with MinGW, everything but the Qt front end: the 32-bit bench build (the
# build a bench runs), and the 64-bit simulated and bench builds, whose tests run under wine64.
windows:
	@scripts/install-deps g++-mingw-w64-i686-posix g++-mingw-w64-x86-64-posix wine64
	@scripts/build-windows $(BUILD)-windows $(JOBS) $(CMAKE_FLAGS)

clean:
	@rm -rf $(BUILD) $(BUILD)-windows-*
