# Set-up and everyday commands; each installs what is missing, then builds.
BUILD := build

.PHONY: run test test-sanitize bench package build deps clean

run: build
	./$(BUILD)/dovevad

test: build
	cd $(BUILD) && ctest --output-on-failure

# The whole suite built with AddressSanitizer and UndefinedBehaviorSanitizer,
# in a build folder of its own; any report fails the test that made it.
SANITIZE := -fsanitize=address,undefined -fno-sanitize-recover=all -fno-omit-frame-pointer
test-sanitize: deps
	cmake -S . -B $(BUILD)-sanitize -DCMAKE_BUILD_TYPE=RelWithDebInfo \
		-DCMAKE_CXX_FLAGS="$(SANITIZE)" -DCMAKE_EXE_LINKER_FLAGS="$(SANITIZE)"
	cmake --build $(BUILD)-sanitize --parallel
	cd $(BUILD)-sanitize && LSAN_OPTIONS=suppressions=$(CURDIR)/tests/lsan.supp:print_suppressions=0 \
		ctest --output-on-failure

bench: build
	./$(BUILD)/bench/dovevad-bench

# A Debian package in this folder, to install with apt.
package: build
	cd $(BUILD) && cpack -G DEB
	cp $(BUILD)/dovevad_*.deb .

build: deps
	cmake -S . -B $(BUILD) -DCMAKE_BUILD_TYPE=Release
	cmake --build $(BUILD) --parallel

deps:
	@tools/install-deps

clean:
	rm -rf $(BUILD) $(BUILD)-sanitize
