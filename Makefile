# Shorthands for ./dev, which installs what is missing and does the work.
.PHONY: run test bench fuzz screenshot package clean

run test bench fuzz screenshot package:
	./dev $@

clean:
	rm -rf build
