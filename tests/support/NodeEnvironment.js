// Linked before the core's tests in WebAssembly: under Node they see the
// environment they were started with (KALVERO_BIOS_SAMPLES, TMPDIR), not the
// few made-up variables a browser page gets.
Module['preRun'] = [].concat(Module['preRun'] || [], function () {
    Object.assign(ENV, process.env);
});
