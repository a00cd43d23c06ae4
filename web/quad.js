// A textured quad drawn with our own WebGL program (quadTexture in
// src/render/EtapesImage.cpp). The emulated fixed-function GL spends far
// more script per draw than the draw itself, and each WebGL call costs the
// page's frame: this path keeps the emulation's matrices, sets blending and
// colour only when they change, and places the vertices itself, so a quad
// costs a texture binding, an upload and a draw.
//
// Handing the context back and forth: taking it, we clean up the emulation's
// last renderer and leave our program in GLImmediate.fixedFunctionProgram.
// Any emulated draw or clean-up puts its own value there, so finding ours
// still in place means our program, buffer, attribute and blending are as we
// left them.
mergeInto(LibraryManager.library, {
  $quadEtat: null,
  quadNavigateur__deps: ['$GL', '$GLImmediate', '$quadEtat'],
  quadNavigateur: function (sommets, texture, couleur) {
    var gl = GLctx;
    var e = quadEtat;
    // A new context (the video mode set again) needs a new program.
    if (!e || e.gl !== gl) {
      var programme = gl.createProgram();
      var source = function (type, texte) {
        var s = gl.createShader(type);
        gl.shaderSource(s, texte);
        gl.compileShader(s);
        gl.attachShader(programme, s);
      };
      source(gl.VERTEX_SHADER,
             'attribute vec4 s; uniform mat4 p; varying vec2 t;' +
             'void main() { t = s.zw; gl_Position = p * vec4(s.xy, 0.0, 1.0); }');
      source(gl.FRAGMENT_SHADER,
             '#ifdef GL_FRAGMENT_PRECISION_HIGH\nprecision highp float;\n#else\nprecision mediump float;\n#endif\n' +
             'uniform sampler2D e; uniform vec4 c; varying vec2 t;' +
             'void main() { gl_FragColor = texture2D(e, t) * c; }');
      gl.bindAttribLocation(programme, 0, 's');
      gl.linkProgram(programme);
      if (!gl.getProgramParameter(programme, gl.LINK_STATUS))
        throw new Error('quadNavigateur : ' + gl.getProgramInfoLog(programme));
      e = quadEtat = {
        gl: gl,
        programme: programme,
        tampon: gl.createBuffer(),
        sommets: new Float32Array(16),
        p: gl.getUniformLocation(programme, 'p'),
        c: gl.getUniformLocation(programme, 'c'),
        versionP: -1,
        couleur: -1,
      };
      gl.bindBuffer(gl.ARRAY_BUFFER, e.tampon);
      gl.bufferData(gl.ARRAY_BUFFER, 64, gl.DYNAMIC_DRAW);
      gl.useProgram(programme);
      gl.uniform1i(gl.getUniformLocation(programme, 'e'), 0);
    }
    if (GLImmediate.fixedFunctionProgram !== e.programme) {
      if (GLImmediate.lastRenderer) GLImmediate.lastRenderer.cleanup();
      gl.useProgram(e.programme);
      gl.bindBuffer(gl.ARRAY_BUFFER, e.tampon);
      gl.enableVertexAttribArray(0);
      gl.vertexAttribPointer(0, 4, gl.FLOAT, false, 16, 0);
      gl.enable(gl.BLEND);
      gl.blendFunc(gl.SRC_ALPHA, gl.ONE_MINUS_SRC_ALPHA);
      GLImmediate.fixedFunctionProgram = e.programme;
      GLImmediate.lastArrayBuffer = null;
      GLImmediate.lastRenderer = null;
    }
    if (texture)
      gl.bindTexture(gl.TEXTURE_2D, GL.textures[texture]);
    if (couleur !== e.couleur) {
      e.couleur = couleur;
      gl.uniform4f(e.c, (couleur >>> 24) / 255, (couleur >>> 16 & 255) / 255, (couleur >>> 8 & 255) / 255,
                   (couleur & 255) / 255);
    }
    if (e.versionP !== GLImmediate.matrixVersion[1]) {
      gl.uniformMatrix4fv(e.p, false, GLImmediate.matrix[1]);
      e.versionP = GLImmediate.matrixVersion[1];
    }
    // The model-view matrix placed on the vertices here: pictures are only
    // moved, turned about z, flipped and scaled, all affine in the plane.
    var m = GLImmediate.matrix[0], d = e.sommets, k = sommets >> 2;
    for (var i = 0; i < 16; i += 4) {
      var x = HEAPF32[k + i], y = HEAPF32[k + i + 1];
      d[i] = m[0] * x + m[4] * y + m[12];
      d[i + 1] = m[1] * x + m[5] * y + m[13];
      d[i + 2] = HEAPF32[k + i + 2];
      d[i + 3] = HEAPF32[k + i + 3];
    }
    gl.bufferSubData(gl.ARRAY_BUFFER, 0, d);
    gl.drawArrays(gl.TRIANGLE_STRIP, 0, 4);
  },
});
