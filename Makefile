# The two commands a newcomer needs: `make run` and `make test`.
BUILD ?= build
RUN_SECONDS ?= 20
export RUN_SECONDS

.PHONY: all setup configure build installer run test bench demo art clean

all: build

setup:
	@tools/setup.sh $(BUILD)

configure: setup
	@cmake -S . -B $(BUILD) -G "Unix Makefiles" -DCMAKE_BUILD_TYPE=Release \
	  -DCMAKE_TOOLCHAIN_FILE=$(CURDIR)/cmake/mingw-w64-x86_64.cmake \
	  -DZORLA_DEPS_PREFIX=$(abspath $(BUILD))/deps >/dev/null

build: configure
	@cmake --build $(BUILD) -j2 -- --no-print-directory

installer: configure
	@cmake --build $(BUILD) --target installer -j2 -- --no-print-directory
	@printf "installer: %s\n" $(BUILD)/installer/*-setup.exe

# The program and the small driver that waits for its window and ends it: none
# of the tests.
run: configure
	@cmake --build $(BUILD) --target Zorla ZorlaDriver -j2 -- --no-print-directory
	@tools/run.sh $(BUILD)

test: build
	@tools/test.sh $(BUILD)

bench: build
	@tools/bench.sh $(BUILD)

demo: build
	@tools/demo.sh $(BUILD)

art:
	@tools/art/build.sh

clean:
	rm -rf $(BUILD)
