# Set-up and everyday commands; each installs what is missing, then builds.
BUILD := build

.PHONY: run test bench package build deps clean

run: build
	./$(BUILD)/dovevad

test: build
	cd $(BUILD) && ctest --output-on-failure

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
	rm -rf $(BUILD)
