# Set-up and everyday commands; each installs what is missing, then builds.
BUILD := build
# Compilers at once: one a core, as nproc counts them (which honours a
# CPU affinity and OMP_NUM_THREADS); make JOBS=1 run on a machine short of
# memory, as each takes some 300 MB.
JOBS ?= $(shell nproc 2>/dev/null || echo 1)

.PHONY: run test test-sanitize bench package build configure fuzz fuzz-build deps clean

# Only what it starts: the program and the viewer it hands logs to.
run: configure
	cmake --build $(BUILD) --parallel $(JOBS) --target dovevad dovevad-viewer
	./$(BUILD)/dovevad

test: build fuzz-build
	cd $(BUILD) && ctest --output-on-failure
	tests/fuzz/run.sh $(BUILD)-fuzz 5

# The whole suite built with AddressSanitizer and UndefinedBehaviorSanitizer,
# in a build folder of its own; any report fails the test that made it.
SANITIZE := -fsanitize=address,undefined -fno-sanitize-recover=all -fno-omit-frame-pointer
test-sanitize: deps
	cmake -S . -B $(BUILD)-sanitize -DCMAKE_BUILD_TYPE=RelWithDebInfo \
		-DCMAKE_CXX_FLAGS="$(SANITIZE)" -DCMAKE_EXE_LINKER_FLAGS="$(SANITIZE)"
	cmake --build $(BUILD)-sanitize --parallel $(JOBS)
	cd $(BUILD)-sanitize && LSAN_OPTIONS=suppressions=$(CURDIR)/tests/lsan.supp:print_suppressions=0 \
		ctest --output-on-failure

# The fuzz targets, built with clang's libFuzzer in a folder of their own;
# make fuzz FUZZ_SECONDS=N runs each for N seconds.
FUZZ_SECONDS := 300
fuzz: fuzz-build
	tests/fuzz/run.sh $(BUILD)-fuzz $(FUZZ_SECONDS)

fuzz-build: deps
	cmake -S . -B $(BUILD)-fuzz -DCMAKE_CXX_COMPILER=clang++ -DCMAKE_BUILD_TYPE=RelWithDebInfo -DDOVEVAD_FUZZ=ON
	cmake --build $(BUILD)-fuzz --parallel $(JOBS) --target fuzzers

bench: build
	./$(BUILD)/bench/dovevad-bench

# A Debian package in this folder, to install with apt. Every build of one
# commit gives the same bytes: what is dated carries the last commit's time.
SOURCE_DATE_EPOCH ?= $(shell git log -1 --format=%ct 2>/dev/null)
ifneq ($(SOURCE_DATE_EPOCH),)
export SOURCE_DATE_EPOCH
endif
package: build
	# The archive's members take their modes from the umask.
	cd $(BUILD) && umask 022 && cpack -G DEB
	cp $(BUILD)/dovevad_*.deb .

build: configure
	cmake --build $(BUILD) --parallel $(JOBS)

configure: deps
	cmake -S . -B $(BUILD) -DCMAKE_BUILD_TYPE=Release

deps:
	@tools/install-deps

clean:
	rm -rf $(BUILD) $(BUILD)-sanitize $(BUILD)-fuzz
