// cesim under node: the font folder comes from the environment, which the
// module's own environment does not otherwise see.
Module['preRun'] = Module['preRun'] || [];
Module['preRun'].push(function () {
  if (process.env.VESSARINE_FONTS) ENV['VESSARINE_FONTS'] = process.env.VESSARINE_FONTS;
});
